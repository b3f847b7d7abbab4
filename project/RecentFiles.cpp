#include "project/RecentFiles.h"

#include "project/Paths.h"
#include "project/ProjectKeys.h"
#include "text/TextEncoding.h"

#include <algorithm>
#include <filesystem>

namespace qntcalc {

namespace {

std::string KeyOf(std::size_t index) {
    return std::string(ini::kRecentFile) + std::to_string(index + 1);
}

// The settings file reads non-UTF-8 text as Windows-1252 and writes a line
// break as a blank: such a path would come back as another one, and its
// bytes would change how the rest of the file reads.
bool Keepable(std::string_view path) {
    const bool control = std::any_of(path.begin(), path.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7F;
    });
    return !path.empty() && !control && text::IsValidUtf8(path);
}

} // namespace

void RecentFiles::Add(const std::string& path) {
    if (!Keepable(path))
        return;
    std::erase(paths_, path);
    paths_.insert(paths_.begin(), path);
    if (paths_.size() > kMax)
        paths_.resize(kMax);
    Changed();
}

void RecentFiles::Remove(const std::string& path) {
    if (std::erase(paths_, path) > 0)
        Changed();
}

void RecentFiles::ReadSettings(const IniFile& ini) {
    paths_.clear();
    for (std::size_t i = 0; i < kMax; ++i) {
        std::string path = ini.ReadString(ini::kRecent, KeyOf(i), {});
        if (Keepable(path) && std::find(paths_.begin(), paths_.end(), path) == paths_.end())
            paths_.push_back(std::move(path));
    }
    Changed();
}

Result RecentFiles::WriteSettings(IniFile& ini) const {
    for (std::size_t i = 0; i < kMax; ++i) {
        Result written = i < paths_.size() ? ini.WriteString(ini::kRecent, KeyOf(i), paths_[i])
                                           : ini.DeleteKey(ini::kRecent, KeyOf(i));
        if (!written.Ok())
            return written;
    }
    return {};
}

void RecentFiles::Changed() const {
    if (OnChanged)
        OnChanged();
}

std::string ShownFileName(std::string_view path) {
    std::string shown = BaseNameOfPath(path);
    return shown.empty() ? std::filesystem::path(path).filename().string() : shown;
}

} // namespace qntcalc
