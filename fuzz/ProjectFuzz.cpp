#include "fileio/IniFile.h"
#include "project/ProjectFile.h"
#include "window/MasterForm.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

class Silent : public qntcalc::MessageBoxes, public qntcalc::HelpSystem {
public:
    void Show(std::string_view, std::string_view, qntcalc::MessageKind) override { ++boxes; }
    void ShowContents() override {}
    void ShowTopic(int) override {}
    int boxes = 0;
};

void Require(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

// Any bytes opened as a project: the window's whole cascade of value
// checks and calculations runs, must end, and must leave a sane window.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace qntcalc;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Globals globals;
    Silent silent;
    TMasterForm form(globals, silent, silent, "");
    form.Recalculate();
    IniFile ini = IniFile::FromBytes(bytes);
    // In memory, where neither the read's conversion nor a write can fail.
    Require(ReadSettingsFromFile(form, ini).Ok());

    const CalcState& s = form.State();
    Require(s.CalcReady);
    Require(form.Calc().LastPassCount() <= Calculator::kMaxPasses);
    Require(!form.LastMessages().empty());
    Require(form.CB_RouterType.ItemIndex() >= 0 && form.CB_RepeaterType.ItemIndex() >= 0);
    const int page = form.PageControl1.ActivePageIndex();
    Require(page >= 0 && form.PageControl1.TabVisible(page));

    IniFile out = IniFile::FromBytes("");
    Require(WriteSettingsToFile(form, globals, out).Ok());
    return 0;
}
