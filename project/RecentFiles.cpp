#include "project/RecentFiles.h"

#include "fileio/Paths.h"
#include "project/ProjectKeys.h"
#include "text/TextEncoding.h"

#include <algorithm>
#include <filesystem>

namespace qntcalc {

namespace {

std::string KeyOf(std::size_t index) {
    return std::string(ini::kRecentFile) + std::to_string(index + 1);
}

// The settings file holds text: it reads a file that is not UTF-8 as
// Windows-1252 and writes a line break as a blank. A path that is no such
// text (the file system takes any bytes but the slash and NUL) is stored as
// its bytes behind a mark that no absolute path starts with, each byte that
// could change or end the text as %XX.
constexpr std::string_view kBytesMark = "bytes:";

bool IsText(std::string_view path) {
    const bool control = std::any_of(path.begin(), path.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7F;
    });
    return !control && !path.starts_with(kBytesMark) && text::IsValidUtf8(path);
}

std::string Stored(std::string_view path) {
    if (IsText(path))
        return std::string(path);
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string stored(kBytesMark);
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte >= 0x7F || c == '%') {
            stored += '%';
            stored += kHex[byte >> 4];
            stored += kHex[byte & 0xF];
        } else {
            stored += c;
        }
    }
    return stored;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// Empty for a value that no write of this list made.
std::string Restored(std::string_view stored) {
    if (!stored.starts_with(kBytesMark))
        return std::string(stored);
    stored.remove_prefix(kBytesMark.size());
    std::string path;
    for (std::size_t i = 0; i < stored.size(); ++i) {
        if (stored[i] != '%') {
            path += stored[i];
            continue;
        }
        if (i + 2 >= stored.size())
            return {};
        const int high = HexDigit(stored[i + 1]);
        const int low = HexDigit(stored[i + 2]);
        if (high < 0 || low < 0)
            return {};
        path += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return path;
}

} // namespace

void RecentFiles::Add(const std::string& path) {
    if (path.empty())
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
        std::string path = Restored(ini.ReadString(ini::kRecent, KeyOf(i), {}));
        if (!path.empty() && std::find(paths_.begin(), paths_.end(), path) == paths_.end())
            paths_.push_back(std::move(path));
    }
    Changed();
}

Result RecentFiles::WriteSettings(IniFile& ini) const {
    for (std::size_t i = 0; i < kMax; ++i) {
        Result written = i < paths_.size() ? ini.WriteString(ini::kRecent, KeyOf(i), Stored(paths_[i]))
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
