#include "GuiFixture.h"
#include "report/qt/ReportExport.h"
#include "app/GuiApplication.h"
#include "checks/StatusTexts.h"

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <unistd.h>
#include <utility>

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QCryptographicHash>
#include <QDialog>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QProgressBar>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>

namespace qntcalc::testing {
namespace {

using MasterWindowTest = GuiTest;

QString ReadFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

bool TabShown(QTabWidget* tabs, Page page) {
    return tabs->isTabVisible(static_cast<int>(page));
}

TEST_F(MasterWindowTest, EveryControlHasAViewShowingTheModel) {
    ExpectMirrored(Form(), Window());
    Trigger("Expert");
    Form().CB_Repeaters.SetChecked(true);
    Form().CB_DropLines.SetChecked(true);
    ExpectMirrored(Form(), Window());
    Trigger("Baudratemode");
    ExpectMirrored(Form(), Window());
}

TEST_F(MasterWindowTest, TypingAMainPathShowsTheRate) {
    Type("Ed_Mainpath", "300");
    EXPECT_EQ(Form().Ed_Mainpath.Text(), "300");
    EXPECT_EQ(EditView("Ed_Baud")->text(), "125");
    EXPECT_EQ(StatusText(), "All values are estimates and may differ!");
    EXPECT_FALSE(StatusRed());
    auto* bar = ViewOf<QProgressBar>("BAR_Reaction");
    EXPECT_EQ(bar->maximum(), 300);
    EXPECT_EQ(bar->value(), Form().State().Rmax);
    EXPECT_EQ(bar->toolTip(), "Error reaction time indicator");
}

// A value cut to its last digits would read as another number: "483647".
TEST_F(MasterWindowTest, EveryFieldShowsTheWidestValueWhole) {
    Type("Ed_Mainpath", "2147483647");
    QLineEdit* mainPath = EditView("Ed_Mainpath");
    EXPECT_EQ(mainPath->text(), "2147483647");
    for (QLineEdit* edit : Window().findChildren<QLineEdit*>()) {
        if (!edit->objectName().startsWith("Ed_"))
            continue;
        const QRect inside = edit->contentsRect().marginsRemoved(edit->textMargins());
        EXPECT_LE(edit->fontMetrics().horizontalAdvance("-2147483648"), inside.width() - 4)
            << edit->objectName().toStdString();
    }
    // One too long all the same shows its start once the user is elsewhere.
    EditView("Ed_DropMax")->setFocus();
    Form().Ed_Mainpath.SetText("00000000000000000000300");
    EXPECT_EQ(mainPath->cursorPosition(), 0);
}

TEST_F(MasterWindowTest, ZeroMainPathIsRejectedAndTheOldTextComesBack) {
    const QString before = EditView("Ed_Mainpath")->text();
    const QString baud = EditView("Ed_Baud")->text();
    messages.Expect(kGreaterZeroBox);
    Type("Ed_Mainpath", "0");
    EXPECT_TRUE(messages.AllShown());
    EXPECT_EQ(EditView("Ed_Mainpath")->text(), before);
    EXPECT_EQ(Form().Ed_Mainpath.Text(), before.toStdString());
    EXPECT_EQ(EditView("Ed_Baud")->text(), baud);
}

TEST_F(MasterWindowTest, BaudRateModeHidesDevicesInputsAndOutputs) {
    auto* tabs = ViewOf<QTabWidget>("PageControl1");
    ASSERT_TRUE(TabShown(tabs, Page::Devices));
    Trigger("Baudratemode");
    EXPECT_FALSE(TabShown(tabs, Page::Devices));
    EXPECT_FALSE(TabShown(tabs, Page::Inputs));
    EXPECT_FALSE(TabShown(tabs, Page::Outputs));
    EXPECT_TRUE(ViewOf<QAction>("Baudratemode")->isChecked());
    EXPECT_FALSE(ViewOf<QAction>("Standard")->isChecked());
    EXPECT_TRUE(ViewOf<QCheckBox>("CB_Routers")->isHidden());
    EXPECT_TRUE(EditView("Ed_Rmax")->isHidden());
    EXPECT_FALSE(EditView("Ed_Baud")->isHidden());
    EXPECT_EQ(ViewOf<QProgressBar>("BAR_Reaction")->maximum(), 500);
}

// In every mode the structure group follows the last visible row at the
// page's row spacing, and the first visible box stands where Routers does.
struct NetworkPageRow {
    const char* name;
    const char* mode;
    const char* lastRow;
    const char* firstBox;
};

void PrintTo(const NetworkPageRow& row, std::ostream* os) {
    *os << row.name;
}

class NetworkPageTest : public GuiTest, public ::testing::WithParamInterface<NetworkPageRow> {};

TEST_P(NetworkPageTest, HiddenControlsLeaveNoHole) {
    const NetworkPageRow& row = GetParam();
    auto* structure = ViewOf<QGroupBox>("GB_Structure");
    const int boxesLeft = ViewOf<QCheckBox>("CB_Routers")->x();
    Trigger(row.mode);
    auto* grid = qobject_cast<QGridLayout*>(structure->parentWidget()->layout());
    ASSERT_NE(grid, nullptr);
    grid->activate();
    structure->layout()->activate();
    EXPECT_EQ(structure->y() - EditView(row.lastRow)->geometry().bottom() - 1,
              grid->verticalSpacing());
    EXPECT_EQ(ViewOf<QCheckBox>(row.firstBox)->x(), boxesLeft);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, NetworkPageTest,
    ::testing::Values(NetworkPageRow{"Standard", "Standard", "Ed_Mainpath", "CB_Routers"},
                      NetworkPageRow{"Expert", "Expert", "Ed_MainBaud", "CB_Routers"},
                      NetworkPageRow{"BaudRate", "Baudratemode", "Ed_Mainpath", "CB_Repeaters"}),
    [](const ::testing::TestParamInfo<NetworkPageRow>& info) {
        return std::string(info.param.name);
    });

// As designed, and alike, so that the Routers and Repeaters pages line up.
TEST_F(MasterWindowTest, BothTypeListsAre233PixelsWide) {
    EXPECT_EQ(ViewOf<QComboBox>("CB_RouterType")->width(), 233);
    EXPECT_EQ(ViewOf<QComboBox>("CB_RepeaterType")->width(), 233);
}

// Every entry in view when the list opens: no scroll arrow, no scroll bar.
TEST_F(MasterWindowTest, TheTypeListsOpenWithEveryEntryInView) {
    program->ShowMainWindow();
    for (const char* name : {"CB_RouterType", "CB_RepeaterType"}) {
        SCOPED_TRACE(name);
        auto* box = ViewOf<QComboBox>(name);
        ShowPageOf(box);
        box->showPopup();
        QAbstractItemView* list = box->view();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(list->window()));
        const QRect inside = list->viewport()->rect();
        for (int row = 0; row < box->count(); ++row) {
            const QRect entry = list->visualRect(box->model()->index(row, 0));
            EXPECT_TRUE(entry.top() >= inside.top() && entry.bottom() <= inside.bottom()) << row;
            EXPECT_LT(list->fontMetrics().horizontalAdvance(box->itemText(row)), inside.width());
        }
        EXPECT_EQ(list->verticalScrollBar()->maximum(), 0);
        EXPECT_FALSE(list->horizontalScrollBar()->isVisible());
        for (const QWidget* part : list->window()->findChildren<QWidget*>()) {
            EXPECT_FALSE(part->isVisible() &&
                         QByteArray(part->metaObject()->className()).contains("Scroller"));
        }
        box->hidePopup();
    }
}

TEST_F(MasterWindowTest, ChoosingTheCheckedModeAgainKeepsItChecked) {
    Trigger("Standard");
    EXPECT_TRUE(ViewOf<QAction>("Standard")->isChecked());
    EXPECT_TRUE(Form().Standard.Checked());
}

TEST_F(MasterWindowTest, AnErrorTurnsTheStatusBarRedAndHidesResults) {
    auto* tabs = ViewOf<QTabWidget>("PageControl1");
    Type("Ed_NumIOD", "100");
    EXPECT_TRUE(StatusRed());
    EXPECT_EQ(StatusText(),
              QString::fromUtf8(texts::kTooManyDevices.data(), texts::kTooManyDevices.size()));
    EXPECT_FALSE(TabShown(tabs, Page::Results));
    EXPECT_EQ(Window().findChild<QLabel*>("SB_Status_Panel0")->text(), "");
    auto* bar = ViewOf<QProgressBar>("BAR_Reaction");
    EXPECT_EQ(bar->value(), bar->maximum());

    // The Results tab comes back, but the user stays on the page.
    Type("Ed_NumIOD", "10");
    EXPECT_FALSE(StatusRed());
    EXPECT_TRUE(TabShown(tabs, Page::Results));
    EXPECT_EQ(tabs->currentIndex(), static_cast<int>(Page::Devices));
    EXPECT_EQ(Form().PageControl1.ActivePageIndex(), static_cast<int>(Page::Devices));
}

TEST_F(MasterWindowTest, AnErrorOnTheResultsPageShowsTheNetworkPage) {
    auto* tabs = ViewOf<QTabWidget>("PageControl1");
    QTabBar* bar = tabs->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {},
                      bar->tabRect(static_cast<int>(Page::Results)).center());
    ASSERT_EQ(Form().PageControl1.ActivePageIndex(), static_cast<int>(Page::Results));
    Form().Ed_NumIOD.SetText("100");
    EXPECT_EQ(tabs->currentIndex(), static_cast<int>(Page::Network));
    EXPECT_EQ(Form().PageControl1.ActivePageIndex(), static_cast<int>(Page::Network));
    ExpectMirrored(Form(), Window());
}

TEST_F(MasterWindowTest, SaveAsAndOpenWriteAndReadRealFiles) {
    const QString alpha = Path("alpha.ini");
    Type("Ed_Mainpath", "250");
    dialogs.saveAnswers.push_back(alpha.toStdString());
    Trigger("SaveAs");
    EXPECT_EQ(ShownTitle(), "Quarnet Calculator - alpha");
    EXPECT_TRUE(ViewOf<QAction>("Save")->isEnabled());
    EXPECT_TRUE(ReadFile(alpha).contains("Mainpath=250")) << ReadFile(alpha).toStdString();

    Type("Ed_Mainpath", "300");
    dialogs.openAnswers.push_back(alpha.toStdString());
    messages.choices = {SaveChoice::Discard};
    Trigger("Open");
    EXPECT_EQ(EditView("Ed_Mainpath")->text(), "250");
    EXPECT_EQ(ShownTitle(), "Quarnet Calculator - alpha");
    ASSERT_EQ(dialogs.openSetups.size(), 1u);
    EXPECT_EQ(dialogs.openSetups[0].initialDir, QDir(dir.path()).absolutePath().toStdString());
    ExpectMirrored(Form(), Window());
}

// The report's text as a reader of the PDF gets it, on one line.
QString ReportText(const QString& pdf) {
    QProcess reader;
    reader.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    EXPECT_TRUE(reader.waitForFinished(60000));
    return QString::fromUtf8(reader.readAllStandardOutput()).simplified();
}

TEST_F(MasterWindowTest, AReportHashesTheFileOnlyWhileTheWindowHoldsIt) {
    const QString alpha = Path("alpha.ini");
    dialogs.saveAnswers.push_back(alpha.toStdString());
    Trigger("SaveAs");
    QFile saved(alpha);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray bytes = saved.readAll();
    ASSERT_TRUE(bytes.contains("Mainpath=100"));
    const QString sha =
        QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());

    dialogs.saveAnswers.push_back(Path("held").toStdString());
    ExportReport();
    const QString held = ReportText(Path("held.pdf"));
    EXPECT_TRUE(held.contains(QStringLiteral("SHA-256 of the project file: ") + sha))
        << held.toStdString();
    EXPECT_TRUE(held.contains(QStringLiteral("Worst case reaction time")));

    Type("Ed_Mainpath", "250");
    dialogs.saveAnswers.push_back(Path("changed.pdf").toStdString());
    ExportReport();
    const QString changed = ReportText(Path("changed.pdf"));
    EXPECT_TRUE(changed.contains(QStringLiteral("(not saved)"))) << changed.toStdString();
    EXPECT_FALSE(changed.contains(sha));
    EXPECT_TRUE(changed.contains(QStringLiteral("Main path 250"))) << changed.toStdString();

    // Back as saved, but the file itself changed since.
    Type("Ed_Mainpath", "100");
    QFile other(alpha);
    ASSERT_TRUE(other.open(QIODevice::WriteOnly | QIODevice::Truncate));
    other.write(QByteArray(bytes).replace("Mainpath=100", "Mainpath=300"));
    other.close();
    dialogs.saveAnswers.push_back(Path("elsewhere.pdf").toStdString());
    ExportReport();
    const QString elsewhere = ReportText(Path("elsewhere.pdf"));
    EXPECT_TRUE(elsewhere.contains(QStringLiteral("(not saved)"))) << elsewhere.toStdString();
}

// The report is made beside the window, which goes on meanwhile; Cancel
// drops it without a word and without a file.
TEST_F(MasterWindowTest, AReportIsMadeOffTheWindowsThreadAndCancelled) {
    const QString pdf = Path("cancelled.pdf");
    dialogs.saveAnswers.push_back(pdf.toStdString());
    Trigger("ExportReport");
    ReportExport& reports = program->Reports();
    // Its end comes through the event loop, which has not run yet.
    ASSERT_TRUE(reports.Running());
    ASSERT_NE(reports.Progress(), nullptr);
    EXPECT_FALSE(reports.Progress()->isModal()) << "the window goes on";
    // A second export asks for no file while the first runs.
    Trigger("ExportReport");
    EXPECT_EQ(dialogs.saveSetups.size(), 1u);
    auto* cancel = reports.Progress()->findChild<QPushButton*>();
    ASSERT_NE(cancel, nullptr);
    cancel->click();
    Type("Ed_Mainpath", "300");
    EXPECT_EQ(EditView("Ed_Baud")->text(), "125");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !reports.Running(); }, 10000));
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_TRUE(messages.AllShown());

    // The next one is made and written.
    dialogs.saveAnswers.push_back(pdf.toStdString());
    ExportReport();
    EXPECT_TRUE(ReportText(pdf).contains(QStringLiteral("Main path 300")));
}

TEST_F(MasterWindowTest, AReportNeverReplacesItsProjectUnderAnyName) {
    const std::string alpha = Path("alpha.ini").toStdString();
    dialogs.saveAnswers.push_back(alpha);
    Trigger("SaveAs");
    const QString before = ReadFile(Path("alpha.ini"));
    ASSERT_EQ(::link(alpha.c_str(), Path("hard.pdf").toStdString().c_str()), 0);
    for (const char* name : {"alpha.ini", "hard.pdf"}) {
        const std::string path = Path(name).toStdString();
        dialogs.saveAnswers.push_back(path);
        messages.Expect(
            {"Cannot write \"" + path + "\": It is the project file the report is made from",
             "Save Error"});
        ExportReport();
        EXPECT_TRUE(messages.AllShown()) << name;
    }
    EXPECT_EQ(ReadFile(Path("alpha.ini")), before);
    EXPECT_EQ(ShownTitle(), "Quarnet Calculator - alpha");
}

TEST_F(MasterWindowTest, TheCaptionMarksUnsavedChangesUntilTheyAreUndone) {
    Window().show();
    const QString before = EditView("Ed_Mainpath")->text();
    for (const auto& [file, caption] :
         {std::pair{"plan.ini", "Quarnet Calculator - plan"},
          // Qt's placeholder in a name is shown as it is.
          std::pair{"a[*]b.ini", "Quarnet Calculator - a[*]b"}}) {
        dialogs.saveAnswers.push_back(Path(file).toStdString());
        Trigger("SaveAs");
        EXPECT_EQ(ShownTitle(), caption);
        Type("Ed_Mainpath", "250");
        EXPECT_EQ(ShownTitle(), caption + QStringLiteral("*"));
        messages.choices = {SaveChoice::Cancel};
        EXPECT_FALSE(Window().close());
        EXPECT_TRUE(Window().isVisible());
        Type("Ed_Mainpath", before);
        EXPECT_EQ(ShownTitle(), caption);
    }
}

TEST_F(MasterWindowTest, ACancelledOpenChangesNothing) {
    dialogs.openAnswers.push_back(std::nullopt);
    Trigger("Open");
    EXPECT_EQ(ShownTitle(), "Quarnet Calculator");
    EXPECT_FALSE(ViewOf<QAction>("Save")->isEnabled());
}

TEST_F(MasterWindowTest, ClosingWritesTheSettingsFileInTheStartDirectory) {
    const QString settings = Path("QntCalc.ini");
    QFile::remove(settings);
    Type("Ed_Mainpath", "321");
    // The file dialogs may move the working directory; the settings stay.
    ASSERT_TRUE(QDir(dir.path()).mkdir("elsewhere"));
    ASSERT_TRUE(QDir::setCurrent(Path("elsewhere")));
    int closes = 0;
    QObject::connect(&Window(), &MasterWindow::closed, [&closes] { ++closes; });
    EXPECT_TRUE(Window().close());
    EXPECT_EQ(closes, 1);
    EXPECT_TRUE(ReadFile(settings).contains("Mainpath=321"));
    EXPECT_FALSE(QFile::exists(Path("elsewhere/QntCalc.ini")));
}

TEST_F(MasterWindowTest, ExitWritesTheSettingsAndClosesOnce) {
    const QString settings = Path("QntCalc.ini");
    QFile::remove(settings);
    int closes = 0;
    QObject::connect(&Window(), &MasterWindow::closed, [&closes] { ++closes; });
    auto* tabs = ViewOf<QTabWidget>("PageControl1");
    tabs->setFocus(Qt::TabFocusReason);
    QTest::keyClick(tabs, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(closes, 1);
    EXPECT_FALSE(Window().isVisible());
    EXPECT_TRUE(ReadFile(settings).contains("Mainpath="));
}

// Which key reaches the focused control and which one a menu item.
struct KeyRow {
    const char* name;
    const char* focus;
    Qt::Key key;
    const char* menuItem; // the item whose command runs, or "" for none
};

void PrintTo(const KeyRow& row, std::ostream* os) {
    *os << row.name;
}

class ShortcutTest : public GuiTest, public ::testing::WithParamInterface<KeyRow> {};

TEST_P(ShortcutTest, EditingKeysStayInTheEditOtherKeysGoToTheMenu) {
    const KeyRow& row = GetParam();
    std::map<std::string, int> clicks;
    for (Control* control : Form().controls.All()) {
        if (auto* item = dynamic_cast<MenuItem*>(control)) {
            item->OnClick = [&clicks, item] { ++clicks[item->Name()]; };
            item->SetEnabled(true);
        }
    }
    auto* focus = ViewOf<QWidget>(row.focus);
    ShowPageOf(focus);
    focus->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(focus->hasFocus());
    auto* edit = qobject_cast<QLineEdit*>(focus);
    const QString text = edit ? edit->text() : QString();
    if (edit)
        edit->selectAll();
    QApplication::clipboard()->clear();

    QTest::keyClick(focus, row.key, Qt::ControlModifier);

    std::map<std::string, int> expected;
    if (*row.menuItem)
        expected[row.menuItem] = 1;
    EXPECT_EQ(clicks, expected);
    if (edit && row.key == Qt::Key_C) {
        EXPECT_EQ(QApplication::clipboard()->text(), text);
    }
    if (edit && edit->isReadOnly()) {
        EXPECT_EQ(edit->text(), text);
    }
    if (edit && row.key == Qt::Key_A) {
        EXPECT_EQ(edit->selectedText(), text);
    }
    EXPECT_TRUE(Window().isVisible());
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ShortcutTest,
    ::testing::Values(KeyRow{"CopyInEdit", "Ed_Mainpath", Qt::Key_C, ""},
                      KeyRow{"SelectAllInEdit", "Ed_Project", Qt::Key_A, ""},
                      KeyRow{"CutInReadOnlyResult", "Ed_Baud", Qt::Key_X, ""},
                      KeyRow{"CopyInReadOnlyResult", "Ed_Rmax", Qt::Key_C, ""},
                      KeyRow{"PrinterSetupInEdit", "Ed_Mainpath", Qt::Key_U, "Printersetup1"},
                      KeyRow{"PrintInEdit", "Ed_Mainpath", Qt::Key_P, "Print"},
                      KeyRow{"CopyOnCheckBox", "CB_Routers", Qt::Key_C, "CopytoClipboard1"},
                      KeyRow{"ExitOnCheckBox", "CB_Routers", Qt::Key_X, "Exit"},
                      KeyRow{"SaveAsOnTabs", "PageControl1", Qt::Key_A, "SaveAs"},
                      KeyRow{"OpenInEdit", "Ed_Mainpath", Qt::Key_O, "Open"},
                      // With no typing of its own to undo or redo.
                      KeyRow{"UndoInEdit", "Ed_Mainpath", Qt::Key_Z, "Undo"},
                      KeyRow{"RedoInEdit", "Ed_Mainpath", Qt::Key_Y, "Redo"},
                      KeyRow{"RedoOnTabs", "PageControl1", Qt::Key_Y, "Redo"}),
    [](const ::testing::TestParamInfo<KeyRow>& info) { return std::string(info.param.name); });

TEST_F(MasterWindowTest, EachUserActionCalculatesOnce) {
    const Calculator& calc = Form().Calc();
    long before = calc.CalculationCount();
    Type("Ed_NumIOD", "7");
    EXPECT_EQ(calc.CalculationCount(), before + 1) << "typing one key";

    // Unticking other boxes would calculate once more for each.
    for (CheckBox* box : {&Form().CB_Routers, &Form().CB_Repeaters, &Form().CB_DropLines})
        box->SetChecked(false);
    before = calc.CalculationCount();
    ShowPageOf(ViewOf<QWidget>("CB_Routers"));
    QTest::mouseClick(ViewOf<QCheckBox>("CB_Routers"), Qt::LeftButton);
    EXPECT_TRUE(Form().CB_Routers.Checked());
    EXPECT_EQ(calc.CalculationCount(), before + 1) << "ticking a box";

    before = calc.CalculationCount();
    Trigger("Expert");
    EXPECT_EQ(calc.CalculationCount(), before + 1) << "choosing a mode";

    before = calc.CalculationCount();
    auto* vesk1 = ViewOf<QRadioButton>("RB_Vesk1");
    ShowPageOf(vesk1);
    QTest::mouseClick(vesk1, Qt::LeftButton);
    EXPECT_TRUE(Form().RB_Vesk1.Checked());
    EXPECT_FALSE(Form().RB_Vesk3.Checked());
    EXPECT_EQ(calc.CalculationCount(), before + 1) << "choosing a CPU kind";

    // A click on the selected button leaves it selected and does nothing.
    before = calc.CalculationCount();
    QTest::mouseClick(vesk1, Qt::LeftButton);
    EXPECT_TRUE(vesk1->isChecked());
    EXPECT_EQ(calc.CalculationCount(), before);

    before = calc.CalculationCount();
    ShowPageOf(EditView("Ed_Baud"));
    EXPECT_EQ(Form().PageControl1.ActivePageIndex(), static_cast<int>(Page::Results));
    EXPECT_EQ(calc.CalculationCount(), before) << "changing the page";

    Type("Ed_NumRouters", "2");
    before = calc.CalculationCount();
    auto* routerType = ViewOf<QComboBox>("CB_RouterType");
    routerType->setFocus(Qt::TabFocusReason);
    QTest::keyClick(routerType, Qt::Key_Down);
    EXPECT_EQ(Form().CB_RouterType.ItemIndex(), 1);
    EXPECT_EQ(calc.CalculationCount(), before + 1) << "choosing a router type";

    ExpectMirrored(Form(), Window());
}

// The example with 22 I/O devices, typed key by key through 2: the same
// 84 ms as qntcalc-cli gives. Ctrl+Z in the field first undoes its own
// typing, then the window's last step; Edit > Redo brings that back.
TEST_F(MasterWindowTest, TypedKeyByKeyAndUndoneFieldFirst) {
    ASSERT_TRUE(program->Commands()
                    .OpenFile((std::filesystem::path(QNTCALC_SOURCE_DIR) / "examples" /
                               "assembly-hall.ini")
                                  .string())
                    .Ok());
    auto* undo = ViewOf<QAction>("Undo");
    EXPECT_FALSE(undo->isEnabled());
    Type("Ed_Mainpath", "200");
    Type("Ed_NumIOD", "22");
    EXPECT_EQ(EditView("Ed_Rmax")->text(), "84");
    EXPECT_TRUE(undo->isEnabled());

    QLineEdit* devices = EditView("Ed_NumIOD");
    QTest::keyClick(devices, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(devices->text(), "24");
    EXPECT_EQ(Form().Ed_NumIOD.Text(), "24");
    EXPECT_EQ(EditView("Ed_Mainpath")->text(), "200");
    QTest::keyClick(devices, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(EditView("Ed_Mainpath")->text(), "180");
    EXPECT_EQ(EditView("Ed_Rmax")->text(), "106");
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_FALSE(Window().isWindowModified());
    Trigger("Redo");
    EXPECT_EQ(EditView("Ed_Mainpath")->text(), "200");
    EXPECT_TRUE(Window().isWindowModified());
}

TEST_F(MasterWindowTest, TheManualCycleTimeBoxRecalculatesWhenLeft) {
    Trigger("Expert");
    auto* manual = ViewOf<QCheckBox>("CB_CVeskManual");
    ShowPageOf(manual);
    QTest::mouseClick(manual, Qt::LeftButton);
    EXPECT_TRUE(Form().CB_CVeskManual.Checked());
    EXPECT_FALSE(EditView("Ed_CVesk")->isReadOnly());
    const long before = Form().Calc().CalculationCount();
    EditView("Ed_CVesk")->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(Form().Calc().CalculationCount(), before + 1);
}

TEST_F(MasterWindowTest, ResultFieldsAreBoldAndOnlyTheCycleTimeTakesTabFocus) {
    for (const char* name : {"Ed_Baud", "Ed_BaudLong", "Ed_Rmax", "Ed_Alarm", "Ed_ETO", "Ed_CTO",
                             "Ed_RouterCorrRes", "Ed_CVesk"}) {
        SCOPED_TRACE(name);
        QLineEdit* edit = EditView(name);
        EXPECT_TRUE(edit->font().bold());
        EXPECT_EQ(edit->palette().color(QPalette::Active, QPalette::Text), QColor(Qt::black));
        EXPECT_TRUE(edit->isReadOnly());
        const bool tabStop = (edit->focusPolicy() & Qt::TabFocus) != 0;
        EXPECT_EQ(tabStop, std::string_view(name) == "Ed_CVesk");
    }
    EXPECT_TRUE(EditView("Ed_Mainpath")->focusPolicy() & Qt::TabFocus);
}

TEST_F(MasterWindowTest, F1ShowsTheHelpTopicOfTheFocusedControl) {
    auto* numIOD = EditView("Ed_NumIOD");
    ShowPageOf(numIOD);
    numIOD->setFocus(Qt::TabFocusReason);
    QTest::keyClick(numIOD, Qt::Key_F1);
    EditView("Ed_Project")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(EditView("Ed_Project"), Qt::Key_F1);
    EXPECT_EQ(help.topics, (std::vector<int>{21, 10}));
    QTest::keyClick(EditView("Ed_Project"), Qt::Key_F1, Qt::ControlModifier);
    EXPECT_EQ(help.contents, 1);
}

TEST_F(MasterWindowTest, F1InAnOpenMenuShowsTheTopicOfTheHighlightedItem) {
    auto* options = ViewOf<QMenu>("Options");
    options->popup(Window().mapToGlobal(QPoint(0, 0)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(options));
    options->setActiveAction(ViewOf<QAction>("Expert"));
    QTest::keyClick(options, Qt::Key_F1);
    options->hide();
    EXPECT_EQ(help.topics, std::vector<int>{15});
    EXPECT_TRUE(Form().Standard.Checked());
}

TEST_F(MasterWindowTest, AboutShowsTheVersionInAModalBox) {
    EXPECT_EQ(globals.ProgramVersion, "1.3.2.1");
    EXPECT_EQ(globals.ProgramName, "Qnt Calculator");
    ExpectModal("About");
    Trigger("About");
    EXPECT_EQ(modalsSeen, 1);
    EXPECT_EQ(program->AboutBox().Version()->text(), "1.3.2.1");
}

// Built on first use, so that the program starts sooner; what they would
// have done at start is there all the same.
TEST_F(MasterWindowTest, AboutBoxAndPrintSheetWindowComeOnFirstUse) {
    EXPECT_EQ(Window().findChild<QDialog*>("AboutForm"), nullptr);
    for (const QWidget* window : QApplication::topLevelWidgets())
        EXPECT_NE(window->objectName(), "PrintForm");

    Type("Ed_Mainpath", "300");
    QString shown;
    const ModalWatcher watcher([&shown](QWidget* sheet) {
        shown = sheet->findChild<QLineEdit*>("Ed_Mainpath")->text();
        sheet->close();
    });
    Trigger("Printpreview1");
    EXPECT_EQ(shown, "300");

    // The settings file is a project file: it records the version although
    // the About box was never opened.
    Window().close();
    const QString settings = ReadFile(Path("QntCalc.ini"));
    EXPECT_TRUE(settings.contains("Version=1.3.2.1")) << settings.toStdString();
    EXPECT_TRUE(settings.contains("Program=Qnt Calculator"));
}

// The menu bar's overflow icons are read when first drawn; then they, like
// every other icon, are the platform style's.
TEST_F(MasterWindowTest, TheStartupStyleDrawsThePlatformStylesIcons) {
    const std::unique_ptr<QProxyStyle> style(static_cast<QProxyStyle*>(StartupStyle()));
    for (const QStyle::StandardPixmap which :
         {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton,
          QStyle::SP_MessageBoxWarning}) {
        const QImage expected = style->baseStyle()->standardIcon(which).pixmap(16).toImage();
        EXPECT_FALSE(expected.isNull()) << which;
        EXPECT_EQ(style->standardIcon(which).pixmap(16).toImage(), expected) << which;
    }
}

TEST_F(MasterWindowTest, TheDateStandsInTheProjectGroup) {
    auto* date = ViewOf<QLabel>("Lbl_Date");
    EXPECT_EQ(date->text(), "07.12.2026");
    EXPECT_TRUE(date->alignment() & Qt::AlignRight);
}

class ThrowingObject : public QObject {
public:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::User)
            throw std::runtime_error("disk on fire");
        return QObject::event(event);
    }
};

TEST_F(MasterWindowTest, AnEscapedErrorIsShownAndTheProgramGoesOn) {
    ThrowingObject thrower;
    QEvent event(QEvent::User);
    QCoreApplication::sendEvent(&thrower, &event);
    const std::vector<QString> shown = std::exchange(escapedErrors, {});
    EXPECT_EQ(shown, std::vector<QString>{"disk on fire"});
    Type("Ed_Mainpath", "300");
    EXPECT_EQ(EditView("Ed_Baud")->text(), "125");
}

} // namespace
} // namespace qntcalc::testing
