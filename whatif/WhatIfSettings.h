#pragma once

#include "fileio/SettingsSection.h"

namespace qntcalc {

class WhatIfForm;

// The What-if window's chart between runs: the chosen input with the range
// chosen for it by hand, in the settings file's section [WhatIf]. A missing
// or unknown input reads as no choice; a range without its input, or with
// an end that is no whole number, as the default range. The requirements
// are the project's, not the window's.
class WhatIfSettings : public SettingsSection {
public:
    // `form` must outlive this.
    explicit WhatIfSettings(WhatIfForm& form) : form_(form) {}

    void ReadSettings(const IniFile& ini) override;
    [[nodiscard]] Result WriteSettings(IniFile& ini) const override;

private:
    WhatIfForm& form_;
};

} // namespace qntcalc
