#include "whatif/WhatIfCsv.h"

#include "text/Strings.h"
#include "text/TextEncoding.h"

#include <vector>

namespace qntcalc {

std::string CsvField(const std::string& bytes) {
    std::string text = text::ValidUtf8(bytes);
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

std::string WhatIfCsvHeader() {
    std::string header = "file,value,rejected";
    for (Field field : kAllFields)
        header += "," + std::string(FieldName(field));
    return header + ",stable,passes,severity,status,valueErrors\n";
}

std::string WhatIfCsvRow(const WhatIfPoint& point, std::string_view file) {
    std::vector<std::string> cells{std::string(file), std::to_string(point.value),
                                   point.rejected ? "1" : "0"};
    for (Field field : kAllFields)
        cells.push_back(point.fields[static_cast<std::size_t>(field)]);
    if (point.rejected) {
        cells.insert(cells.end(), {"", "", "", ""});
    } else {
        cells.push_back(point.state.Stable ? "1" : "0");
        cells.push_back(std::to_string(point.passes));
        cells.push_back(point.statusError ? "error" : "info");
        cells.push_back(point.status);
    }
    cells.push_back(text::Joined(point.valueErrors, " | "));
    // By position: an empty first cell (no file) still has its column.
    std::string row;
    for (std::size_t i = 0; i < cells.size(); ++i)
        row += (i == 0 ? "" : ",") + CsvField(cells[i]);
    return row + "\n";
}

} // namespace qntcalc
