#include "GuiFixture.h"
#include "ui/qt/FileKinds.h"

#include <stdexcept>

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace qntcalc::testing {
namespace {

// Page objects of a PDF, not counting the page tree ("/Type /Pages").
int PdfPageCount(const QByteArray& pdf) {
    const QByteArray marker = "/Type /Page";
    int pages = 0;
    for (qsizetype at = pdf.indexOf(marker); at >= 0; at = pdf.indexOf(marker, at + 1)) {
        const qsizetype next = at + marker.size();
        if (next >= pdf.size() || pdf[next] != 's')
            ++pages;
    }
    return pages;
}

// The smallest rectangle holding every pixel that is not paper white.
QRect InkBounds(const QImage& page) {
    QRect bounds;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            if (qGray(page.pixel(x, y)) < 250)
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

class PrintCommandsTest : public SheetWindowTest {
protected:
    void PrintToFile(const QString& file) {
        commands.Printer().setOutputFormat(QPrinter::PdfFormat);
        commands.Printer().setOutputFileName(file);
    }

    QTemporaryDir dir;
};

TEST_F(PrintCommandsTest, PrintGivesOnePageCarryingTheSheet) {
    ASSERT_TRUE(dir.isValid());
    const QString pdf = dir.filePath("sheet.pdf");
    PrintToFile(pdf);
    Type(f().Ed_Mainpath, "2000");

    f().Print.Click();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(window.isVisible()) << "printing from the main window hides the sheet again";
    EXPECT_EQ(ShownText("Ed_Mainpath"), "2000") << "printed after the copy";

    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_GT(bytes.size(), 1000);
    EXPECT_EQ(PdfPageCount(bytes), 1);

    const QString render = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (render.isEmpty())
        GTEST_SKIP() << "pdftoppm is not installed: the page itself is not looked at";
    const QString png = dir.filePath("page");
    ASSERT_EQ(QProcess::execute(render, {"-png", "-r", "40", "-singlefile", pdf, png}), 0);
    const QImage page(png + ".png");
    ASSERT_FALSE(page.isNull());
    const QRect ink = InkBounds(page);
    ASSERT_FALSE(ink.isEmpty()) << "a blank page";
    // The whole sheet, with its proportions, as wide as the page allows.
    EXPECT_NEAR(double(ink.width()) / ink.height(), 460.0 / 596.0, 0.02);
    EXPECT_GT(ink.width(), page.width() * 3 / 4);
    EXPECT_LT(ink.top(), page.height() / 8) << "at the top of the page";
}

TEST_F(PrintCommandsTest, AFailedPrintIsReportedAndLeavesTheSheetOpen) {
    ASSERT_TRUE(dir.isValid());
    const QString target = dir.filePath("missing/sheet.pdf");
    PrintToFile(target);

    f().Print.Click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, kErrorCaption);
    EXPECT_EQ(messages.shown[0].text,
              "The print sheet could not be printed on " + target.toStdString() + ".");
    EXPECT_TRUE(window.isVisible());

    // From the sheet's own menu, once the printer is right.
    PrintToFile(dir.filePath("sheet.pdf"));
    TriggerSheetItem("Print1");
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(QFileInfo(dir.filePath("sheet.pdf")).size() > 0);
    EXPECT_TRUE(window.isVisible()) << "the sheet's own Print leaves it as it is";
}

TEST_F(PrintCommandsTest, WithoutAPrinterNothingIsPrinted) {
    PrintToFile(QString());
    f().Print.Click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0],
              (ShownBox{"No printer is selected. Choose a printer or a file in Printer setup.",
                        kErrorCaption}));
}

TEST_F(PrintCommandsTest, CopyPutsTheSheetsPictureOnTheClipboard) {
    Type(f().Ed_Project, "Hall 3");
    f().CopytoClipboard1.Click();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(window.isVisible());

    const QImage copied = QGuiApplication::clipboard()->image();
    EXPECT_EQ(copied.size(), QSize(460, 596));
    EXPECT_EQ(ShownText("Ed_Project"), "Hall 3");
    EXPECT_EQ(copied.convertToFormat(QImage::Format_RGB32), window.ClientImage())
        << "the picture is the sheet as it was copied";
}

struct RefusalRow {
    const char* name;
    std::function<bool(const QImage&)> put;
    const char* message;
};

void PrintTo(const RefusalRow& row, std::ostream* os) {
    *os << row.name;
}

class ClipboardRefusalTest : public PrintCommandsTest,
                             public ::testing::WithParamInterface<RefusalRow> {};

TEST_P(ClipboardRefusalTest, IsReportedAndTheSheetIsHiddenAnyway) {
    commands.PutOnClipboard = GetParam().put;
    f().CopytoClipboard1.Click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], (ShownBox{GetParam().message, kErrorCaption}));
    EXPECT_FALSE(window.isVisible());
}

INSTANTIATE_TEST_SUITE_P(
    Clipboards, ClipboardRefusalTest,
    ::testing::Values(RefusalRow{"Refuses", [](const QImage&) { return false; },
                                 "The clipboard did not take the picture of the print sheet."},
                      RefusalRow{"Throws",
                                 [](const QImage&) -> bool {
                                     throw std::runtime_error("clipboard is gone");
                                 },
                                 "clipboard is gone"},
                      RefusalRow{"Missing", nullptr,
                                 "The clipboard did not take the picture of the print sheet."}),
    [](const ::testing::TestParamInfo<RefusalRow>& info) { return info.param.name; });

TEST_F(PrintCommandsTest, PreviewIsModalAndShowsTheNewestValues) {
    Type(f().Ed_NumIOD, "42");
    QString shown;
    const ModalWatcher watcher([&](QWidget* modal) {
        EXPECT_EQ(modal, &window);
        shown = ShownText("Ed_NumIOD");
        TriggerSheetItem("Close1");
    });
    f().Printpreview1.Click();
    EXPECT_EQ(watcher.seen, 1);
    EXPECT_EQ(shown, "42");
    EXPECT_FALSE(window.isVisible());
}

TEST_F(PrintCommandsTest, PreviewCopiesFromItsOwnMenuAndStaysOpen) {
    bool openAfterCopy = false;
    const ModalWatcher watcher([&](QWidget*) {
        TriggerSheetItem("CopytoClipboard1");
        openAfterCopy = window.isVisible();
        window.close();
    });
    commands.PrintPreview();
    EXPECT_TRUE(openAfterCopy);
    EXPECT_EQ(QGuiApplication::clipboard()->image().size(), QSize(460, 596));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(PrintCommandsTest, PreviewAfterAFailedPrintBecomesModal) {
    PrintToFile(dir.filePath("missing/sheet.pdf"));
    commands.Print();
    ASSERT_TRUE(window.isVisible());
    const ModalWatcher watcher([&](QWidget* modal) {
        EXPECT_EQ(modal, &window);
        window.close();
    });
    commands.PrintPreview();
    EXPECT_EQ(watcher.seen, 1);
}

TEST_F(PrintCommandsTest, PrinterSetupWorksOnTheSharedPrinter) {
    const QPrinter* used = nullptr;
    bool offersFile = false;
    QString caption;
    QString confirm;
    QList<QFileSystemModel*> models;
    const ModalWatcher watcher([&](QWidget* modal) {
        auto* dialog = qobject_cast<QPrintDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        used = dialog->printer();
        offersFile = dialog->testOption(QAbstractPrintDialog::PrintToFile);
        caption = dialog->windowTitle();
        confirm = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->text();
        // The file name completer of printing to a file types files unread.
        models = dialog->findChildren<QFileSystemModel*>();
        for (const QFileSystemModel* model : models)
            EXPECT_EQ(model->iconProvider(), &FileKindProvider::Shared());
        dialog->reject();
    });
    f().Printersetup1.Click();
    EXPECT_EQ(used, &commands.Printer());
    EXPECT_TRUE(offersFile);
    EXPECT_FALSE(models.isEmpty());
    EXPECT_EQ(caption, "Printer Setup");
    EXPECT_EQ(confirm, "&Use Printer") << "the setup prints nothing";
    EXPECT_FALSE(window.isVisible()) << "setup alone does not show the sheet";
    EXPECT_EQ(commands.Printer().copyCount(), 1);
}

// The menus are the program's to wire: commands and a sheet made without
// it leave every item as it was, also when the commands are gone.
TEST(PrintCommandsLifetimeTest, BindsNoMenuOfItsOwn) {
    Globals globals;
    RecordingMessages messages;
    RecordingHelp help;
    TMasterForm form(globals, messages, help, "07.12.2026");
    TPrintForm sheet(form, "");
    PrintSheetWindow window(sheet, help);
    { PrintCommands commands(window, messages); }
    for (const Handler* handler :
         {&form.CopytoClipboard1.OnClick, &form.Printersetup1.OnClick, &form.Print.OnClick,
          &form.Printpreview1.OnClick, &sheet.CopytoClipboard1.OnClick, &sheet.Printsetup1.OnClick,
          &sheet.Print1.OnClick})
        EXPECT_FALSE(*handler);
    form.Print.Click();
    EXPECT_FALSE(window.isVisible());
}

} // namespace
} // namespace qntcalc::testing
