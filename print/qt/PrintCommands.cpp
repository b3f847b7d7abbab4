#include "print/qt/PrintCommands.h"

#include "print/PrintTexts.h"
#include "ui/UiTexts.h"
#include "ui/qt/QtText.h"

#include <exception>

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QDir>
#include <QMimeData>
#include <QPainter>
#include <QPrintDialog>
#include <QPushButton>
#include <QScopeGuard>

namespace qntcalc {

namespace {

// The page is drawn from this many pixels per pixel of the sheet, so that
// its texts stay sharp when the picture is scaled up to the paper.
constexpr qreal kPrintScale = 3.0;

} // namespace

bool PutImageOnClipboard(const QImage& image) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return false;
    clipboard->setImage(image);
    // A platform without a clipboard drops the picture without a word.
    const QMimeData* held = clipboard->mimeData();
    return held && held->hasImage();
}

PrintCommands::PrintCommands(PrintSheetWindow& window, MessageBoxes& messages)
    : window_(window), messages_(messages) {}

QPrinter& PrintCommands::Printer() {
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer_->setCopyCount(sheet::kPrintCopies);
    }
    return *printer_;
}

void PrintCommands::CopyToClipboard() {
    const auto hide = qScopeGuard([this] { window_.hide(); });
    window_.show();
    window_.Sheet().CopyFromMasterForm();
    CopySheetToClipboard();
}

void PrintCommands::PrinterSetup() {
    try {
        QWidget* parent = window_.isVisible() ? &window_ : QApplication::activeWindow();
        QPrintDialog dialog(&Printer(), parent);
        dialog.setOption(QAbstractPrintDialog::PrintToFile, sheet::kPrintToFileOffered);
        dialog.setWindowTitle(ToQString(texts::kPrinterSetupCaption));
        if (auto* buttons = dialog.findChild<QDialogButtonBox*>()) {
            if (QPushButton* confirm = buttons->button(QDialogButtonBox::Ok))
                confirm->setText(ToQString(texts::kUsePrinter));
        }
        // Whatever the user chose is in the printer now; the answer itself
        // does not matter.
        dialog.exec();
    } catch (const std::exception& e) {
        Report(e.what());
    }
}

void PrintCommands::Print() {
    window_.show();
    window_.Sheet().CopyFromMasterForm();
    if (PrintSheet())
        window_.hide();
}

void PrintCommands::PrintPreview() {
    window_.ShowModal();
}

bool PrintCommands::CopySheetToClipboard() {
    try {
        // Held only for this command, also when the clipboard refuses it.
        const QImage image = window_.ClientImage();
        if (image.isNull()) {
            Report(texts::kNoPicture);
            return false;
        }
        if (!PutOnClipboard || !PutOnClipboard(image)) {
            Report(texts::kClipboardRefused);
            return false;
        }
        return true;
    } catch (const std::exception& e) {
        Report(e.what());
    } catch (...) {
        Report(texts::kClipboardRefused);
    }
    return false;
}

bool PrintCommands::PrintSheet() {
    try {
        QPrinter& printer = Printer();
        if (printer.outputFormat() == QPrinter::PdfFormat && printer.outputFileName().isEmpty()) {
            Report(texts::kNoPrinter);
            return false;
        }
        const QImage image = window_.ClientImage(kPrintScale);
        if (image.isNull()) {
            Report(texts::kNoPicture);
            return false;
        }
        const QString failed = ToQString(texts::kPrintFailed).arg(PrinterDescription());
        QPainter painter;
        if (!painter.begin(&printer)) {
            Report(failed.toStdString());
            return false;
        }
        // The whole sheet on one page, as large as the page allows, at the
        // top and centred across.
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        const QRect page = painter.viewport();
        const QSize size = image.size().scaled(page.size(), Qt::KeepAspectRatio);
        painter.drawImage(
            QRect(QPoint(page.x() + (page.width() - size.width()) / 2, page.y()), size), image);
        if (!painter.end()) {
            Report(failed.toStdString());
            return false;
        }
        return true;
    } catch (const std::exception& e) {
        Report(e.what());
    }
    return false;
}

QString PrintCommands::PrinterDescription() {
    const QPrinter& printer = Printer();
    if (!printer.outputFileName().isEmpty())
        return QDir::toNativeSeparators(printer.outputFileName());
    return printer.printerName();
}

void PrintCommands::Report(std::string_view text) const {
    messages_.Show(text, texts::kProgramTitle, MessageKind::Critical);
}

} // namespace qntcalc
