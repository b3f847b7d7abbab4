#pragma once

#include "print/qt/PrintSheetWindow.h"
#include "ui/Platform.h"

#include <functional>
#include <memory>
#include <string_view>

#include <QImage>
#include <QPrinter>

namespace qntcalc {

// Puts a picture on the system clipboard; false when the clipboard did not
// take it.
bool PutImageOnClipboard(const QImage& image);

// Print, printer setup, print preview and copy to the clipboard, for the
// main window's File menu and for the print sheet's own menu. One printer
// selection serves both: what Printer setup changes applies to the next
// print from either window. Every failure is shown in a message box with
// the program's title, and the program goes on.
class PrintCommands {
public:
    // Both must outlive the commands.
    PrintCommands(PrintSheetWindow& window, MessageBoxes& messages);
    PrintCommands(const PrintCommands&) = delete;
    PrintCommands& operator=(const PrintCommands&) = delete;

    // The main window's commands.
    // Shows the sheet, refreshes it, copies its picture and hides it again,
    // also when the clipboard refuses.
    void CopyToClipboard();
    // The print dialog on the shared printer; the sheet stays as it is.
    void PrinterSetup();
    // Shows the sheet, refreshes it, prints it and hides it again. After a
    // failure the sheet stays open, so that the user can try again from it.
    void Print();
    // The sheet, modal until the user closes it.
    void PrintPreview();

    // The sheet's own commands, on the sheet as it is on screen.
    bool CopySheetToClipboard();
    bool PrintSheet();

    // Made on first use: it starts the system's print service.
    QPrinter& Printer();

    // Where the picture goes; the system clipboard unless replaced.
    std::function<bool(const QImage&)> PutOnClipboard = PutImageOnClipboard;

private:
    void Report(std::string_view text) const;
    QString PrinterDescription();

    PrintSheetWindow& window_;
    MessageBoxes& messages_;
    std::unique_ptr<QPrinter> printer_;
};

} // namespace qntcalc
