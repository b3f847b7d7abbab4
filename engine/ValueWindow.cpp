#include "engine/ValueWindow.h"

#include "engine/Int32.h"

namespace qntcalc {

namespace {

// The edit fields' texts when the main window is created.
constexpr std::array<std::string_view, kFieldCount> kStartTexts{
    "100", "500", "0",  "0", "0",   "0",  "0",  "0", "0",   "0",   "5",   "10",  "1", "64",
    "0",   "100", "50", "0", "100", "20", "20", "0", "100", "200", "400", "100", "5",
};

} // namespace

ValueWindow::ValueWindow() {
    for (Field field : kAllFields)
        SetText(field, std::string(kStartTexts[static_cast<std::size_t>(field)]));
}

void ValueWindow::ShowResults(CalcState& state) {
    for (Field field : kAllFields)
        SetText(field, i32::ToText(FieldValue(state, field)));
}

bool ValueWindow::PageTabVisible(int page) const {
    return page >= 0 && page < static_cast<int>(tabVisible.size()) &&
           tabVisible[static_cast<std::size_t>(page)];
}

} // namespace qntcalc
