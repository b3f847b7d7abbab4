#include "cli/WhatIfOutput.h"

#include "base/ExitStatus.h"
#include "cli/CliTexts.h"
#include "window/MasterForm.h"

#include <sstream>

#include <gtest/gtest.h>

namespace qntcalc::cli {
namespace {

// A window that lets nothing be typed: --limits says so in a line of its
// own and prints no table; the state's own verdict decides the exit status.
TEST(WhatIfOutputTest, LimitsWithNothingTypeableSayNoInputs) {
    LoadedProject loaded(Globals{});
    TMasterForm& form = loaded.Form();
    for (int page = 0; page < form.PageControl1.PageCount(); ++page)
        form.PageControl1.SetTabVisible(page, false);
    Options options;
    options.limits = true;
    for (const bool typeable : {false, true}) {
        if (typeable)
            form.PageControl1.SetTabVisible(0, true);
        std::ostringstream out;
        std::ostringstream err;
        bool header = false;
        EXPECT_EQ(RunLimits(loaded, options, std::nullopt, out, err, header), kSound) << err.str();
        EXPECT_EQ(out.str().find(texts::kLimitsNoInputs) != std::string::npos, !typeable)
            << out.str();
        EXPECT_EQ(out.str().find(texts::kLimitsMeet) != std::string::npos, typeable) << out.str();
    }
    // A state that fails fails, with nothing to type into as well.
    form.PageControl1.SetTabVisible(0, false);
    form.SetRequirements({27, std::nullopt, std::nullopt});
    std::ostringstream out;
    std::ostringstream err;
    bool header = false;
    EXPECT_EQ(RunLimits(loaded, options, std::nullopt, out, err, header), kFindings);
    EXPECT_NE(out.str().find(texts::kLimitsFailNoInputs), std::string::npos) << out.str();
}

} // namespace
} // namespace qntcalc::cli
