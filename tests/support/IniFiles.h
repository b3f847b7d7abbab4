#pragma once

#include "project/IniFile.h"

#include <optional>
#include <string>

#include <gtest/gtest.h>

namespace qntcalc {

// The file as IniFile::Open reads it: empty when missing, and a test
// failure when it cannot be read.
inline IniFile OpenIni(const std::string& path,
                       IniFile::Mode mode = IniFile::Mode::WriteThrough) {
    std::optional<IniFile> file;
    const Result opened = IniFile::Open(path, file, mode);
    EXPECT_TRUE(opened.Ok() || opened.failure == Result::Failure::Missing) << opened.Message();
    return file ? std::move(*file) : IniFile::FromBytes({});
}

} // namespace qntcalc
