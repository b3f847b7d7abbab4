#pragma once

#include "project/SettingsSection.h"

namespace qntcalc {

class WhatIfForm;

// The What-if window's question between runs: the chosen input with the
// range chosen for it by hand, and the required maxima, in the settings
// file's section [WhatIf]. A value that is missing or no positive whole
// number reads as the default: no choice, 300 ms for the worst case
// reaction time, no ETO or CTO maximum; a range without its input, or with
// an end that is no whole number, as the default range.
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
