#pragma once

#include "engine/CalcWindow.h"

#include <array>
#include <string>

namespace qntcalc {

// A window of plain values: the edit texts and selections as given, with no
// mode forcing, no input resets and no display. Lets the engine compute
// exactly the values handed to it (benchmarks, property tests, tools).
class ValueWindow : public CalcWindow {
public:
    // The texts of a freshly created main window.
    ValueWindow();

    void SetText(Field field, std::string text) {
        texts_[static_cast<std::size_t>(field)] = std::move(text);
    }
    const std::string& Text(Field field) const { return texts_[static_cast<std::size_t>(field)]; }

    Selections selections;
    int activePage = 0;
    std::array<bool, 8> tabVisible{true, true, true, true, true, true, true, true};

    void PageSetting() override {}
    std::string EditText(Field field) const override { return Text(field); }
    void InputEnabling(CalcState&) override {}
    Selections ReadSelections() const override { return selections; }
    void ShowResults(CalcState& state) override;

    int ActivePage() const override { return activePage; }
    bool PageTabVisible(int page) const override;
    void SetActivePage(int page) override { activePage = page; }

private:
    std::array<std::string, kFieldCount> texts_;
};

} // namespace qntcalc
