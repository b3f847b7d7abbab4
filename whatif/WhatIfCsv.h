#pragma once

#include "whatif/WhatIf.h"

#include <string>
#include <string_view>

// What-if points as comma-separated values (RFC 4180), the same for the
// What-if window's export and qntcalc-cli --sweep --csv: the file, the
// value, whether it was refused, the 27 fields as the window shows them,
// then stable, passes, severity, the status bar's message and the value
// checks' messages.
namespace qntcalc {

// Quoted when it holds a comma, a quote or a line break; valid UTF-8 as
// JSON lines are, a file name that is only bytes included.
std::string CsvField(const std::string& bytes);

// The header row, with its line end.
std::string WhatIfCsvHeader();
// One row, with its line end; `file` is empty for a project without one.
std::string WhatIfCsvRow(const WhatIfPoint& point, std::string_view file);

} // namespace qntcalc
