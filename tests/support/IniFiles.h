#pragma once

#include "fileio/IniFile.h"

#include <optional>
#include <string>

namespace qntcalc {

// The file as IniFile::Open reads it; empty when it is missing or cannot be
// read.
inline IniFile OpenIni(const std::string& path,
                       IniFile::Mode mode = IniFile::Mode::WriteThrough) {
    std::optional<IniFile> file;
    static_cast<void>(IniFile::Open(path, file, mode));
    return file ? std::move(*file) : IniFile::FromBytes({});
}

} // namespace qntcalc
