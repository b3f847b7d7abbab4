#include "cli/WhatIfReport.h"

#include "base/ExitStatus.h"
#include "cli/CliTexts.h"
#include "window/MasterForm.h"

#include <sstream>

#include <gtest/gtest.h>

namespace qntcalc::cli {
namespace {

// A window that lets nothing be typed: --limits says so in a line of its
// own and prints no table, and the state counts as meeting its requirements.
TEST(WhatIfReportTest, LimitsWithNothingTypeableSayNoInputs) {
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
}

} // namespace
} // namespace qntcalc::cli
