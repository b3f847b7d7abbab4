#pragma once

#include "print/PrintFormControls.h"
#include "window/MasterFormControls.h"

#include <string>
#include <string_view>

namespace qntcalc {

// The print sheet: a read-only copy of the main window's texts and states,
// taken when the sheet is constructed and again on every activation. It
// parses and converts nothing, so it always shows exactly the characters the
// main window shows. Printing, preview and the clipboard belong to the view.
class TPrintForm : public PrintFormControls {
public:
    // `masterForm` must outlive the sheet. `programVersion` is the program's
    // file version, empty when none could be read.
    TPrintForm(const MasterFormControls& masterForm, std::string_view programVersion);

    void CopyFromMasterForm();
    // The sheet became the active window.
    void FormActivate() { CopyFromMasterForm(); }

private:
    const MasterFormControls& master_;
};

} // namespace qntcalc
