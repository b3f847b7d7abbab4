#pragma once

#include "app/MasterForm.h"

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace qntcalc::testing {

struct ShownBox {
    std::string text;
    std::string caption;
    bool operator==(const ShownBox&) const = default;
};

class RecordingMessages : public MessageBoxes {
public:
    void Show(std::string_view text, std::string_view caption) override {
        shown.push_back({std::string(text), std::string(caption)});
    }
    std::vector<ShownBox> shown;
};

class RecordingHelp : public HelpSystem {
public:
    void ShowContents() override { ++contents; }
    void ShowTopic(int topic) override { topics.push_back(topic); }
    int contents = 0;
    std::vector<int> topics;
};

// A main window as the program has it after start-up without a settings
// file: control defaults and one calculation.
class WindowTest : public ::testing::Test {
protected:
    WindowTest() : form(std::make_unique<TMasterForm>(globals, messages, help, "07.12.2026")) {
        form->Recalculate();
    }

    // What a user does: focus the field, then replace its text.
    void Type(EditField& edit, const std::string& text) {
        edit.Enter();
        edit.SetText(text);
    }

    TMasterForm& f() { return *form; }
    const std::string& Status() const { return form->SB_Status.PanelText(1); }
    bool Red() const { return form->SB_Status.Colour() == StatusColour::Red; }
    bool TabShown(Page page) const { return form->PageControl1.TabVisible(static_cast<int>(page)); }

    Globals globals;
    RecordingMessages messages;
    RecordingHelp help;
    std::unique_ptr<TMasterForm> form;
};

using C = MasterFormControls;

inline const ShownBox kGreaterZeroBox{"Value must be greater than 0.", "Value Error"};
inline const ShownBox kGreaterEqualZeroBox{"Value must be greater or equal 0.", "Value Error"};

} // namespace qntcalc::testing
