#pragma once

#include "fileio/SettingsSection.h"
#include "ui/WindowPlace.h"

#include <functional>
#include <optional>

namespace qntcalc {

// The window's place in the settings file's [Window] section.
class WindowPlaceSection : public SettingsSection {
public:
    // What the settings file held: none without a whole place in it.
    const std::optional<WindowPlace>& Saved() const { return saved_; }

    void ReadSettings(const IniFile& ini) override;
    // Writes where Current says the window is, or nothing without a place.
    [[nodiscard]] Result WriteSettings(IniFile& ini) const override;

    // Set by the window: where it is now.
    std::function<std::optional<WindowPlace>()> Current;

private:
    std::optional<WindowPlace> saved_;
};

} // namespace qntcalc
