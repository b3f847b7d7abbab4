#pragma once

#include "base/Result.h"
#include "fileio/IniFile.h"

namespace qntcalc {

// Desktop state that belongs to no project (recent files, the window's
// place, what-if requirements) keeps a section of its own in the settings
// file. Project files never get these sections, and the project reader
// ignores them, so older programs read such a settings file unchanged.
class SettingsSection {
public:
    virtual ~SettingsSection() = default;
    // `ini` is the settings file, or an empty one when the run keeps none.
    virtual void ReadSettings(const IniFile& ini) = 0;
    // Part of the settings file's one atomic write.
    [[nodiscard]] virtual Result WriteSettings(IniFile& ini) const = 0;
};

} // namespace qntcalc
