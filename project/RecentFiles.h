#pragma once

#include "fileio/SettingsSection.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qntcalc {

// The projects last opened or saved, newest first, kept in the settings
// file's [Recent] section. The File menu shows them; FileCommands keeps the
// list up to date and drops a file that has gone away.
class RecentFiles : public SettingsSection {
public:
    static constexpr std::size_t kMax = 6;

    const std::vector<std::string>& Paths() const { return paths_; }
    // Puts the path first; the same path further down moves up. The path is
    // the file system's bytes, UTF-8 or not; an empty one is not kept.
    void Add(const std::string& path);
    void Remove(const std::string& path);

    void ReadSettings(const IniFile& ini) override;
    [[nodiscard]] Result WriteSettings(IniFile& ini) const override;

    // After every change of the list.
    std::function<void()> OnChanged;

private:
    void Changed() const;

    std::vector<std::string> paths_;
};

// What the menu shows of a path: the base name, or the whole file name
// where the base name is empty (a dot in a directory name only).
std::string ShownFileName(std::string_view path);

} // namespace qntcalc
