#pragma once

namespace qntcalc::cli {

// The exit status of qntcalc-cli, the worst of the projects it checked.
enum Exit { kSound = 0, kFindings = 1, kUsage = 2 };

} // namespace qntcalc::cli
