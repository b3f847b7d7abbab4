#include "about/VerInfo.h"

#include "about/FileVersionInfo.h"

#include <filesystem>

#ifdef _WIN32
#include <windows.h>
#endif

namespace qntcalc {

VerInfo::VerInfo(const std::string& fileName) {
    std::error_code error;
    const std::string file =
        std::filesystem::exists(fileName, error) ? fileName : OwnExecutableFileName();
    VersionBlock block;
    // Whatever cannot be read stays empty, without a word.
    if (!ReadFileVersionBlock(file, block).Ok())
        return;
    const auto translation = QueryVersionBytes(block, "\\VarFileInfo\\Translation");
    if (!translation || translation->size() < 4)
        return;
    const auto language = static_cast<uint16_t>((*translation)[0] | (*translation)[1] << 8);
    const auto codePage = static_cast<uint16_t>((*translation)[2] | (*translation)[3] << 8);
    const std::string prefix = "\\StringFileInfo\\" + StringTableName(language, codePage) + "\\";
    for (size_t i = 0; i < VerInfoKeys.size(); ++i)
        texts_[i] = QueryVersionText(block, prefix + std::string(VerInfoKeys[i])).value_or("");
}

std::string VerInfo::GetInfo(int index) const {
    if (index < 0 || static_cast<size_t>(index) >= texts_.size())
        index = kFileVersion;
    return texts_[static_cast<size_t>(index)];
}

std::string OwnExecutableFileName() {
#ifdef _WIN32
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(path, length < MAX_PATH ? length : 0);
#else
    // Names the running image even if its file has been renamed or replaced.
    return "/proc/self/exe";
#endif
}

ProgramVersion ReadProgramVersion() {
    const VerInfo info(OwnExecutableFileName());
    return {info.GetInfo(VerInfo::kFileVersion), info.GetInfo(VerInfo::kProductName)};
}

void PublishProgramVersion(Globals& globals) {
    ProgramVersion program = ReadProgramVersion();
    globals.ProgramVersion = std::move(program.version);
    globals.ProgramName = std::move(program.name);
}

} // namespace qntcalc
