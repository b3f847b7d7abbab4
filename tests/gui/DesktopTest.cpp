#include "GuiFixture.h"
#include "app/GuiApplication.h"
#include "checks/StatusTexts.h"
#include "fileio/IniFile.h"
#include "tests/support/IniFiles.h"
#include "ui/qt/StatusPanel.h"

#include <fstream>
#include <string>
#include <vector>

#include <QAction>
#include <QDir>
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QScreen>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTest>

// The program as a desktop program: a project named at start, recent files,
// the window's place, a quiet first start, the status panel and the keys
// between pages.
namespace qntcalc::testing {
namespace {

using DesktopTest = GuiTest;

void WriteFile(const QString& path, const char* content) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

std::string Cannot(const QString& path, const std::string& reason) {
    return "Cannot open \"" + path.toStdString() + "\": " + reason;
}

TEST_F(DesktopTest, AFirstStartShowsTheMainWindowAlone) {
    // The fixture fails on any box at start.
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(OpenIni(Path("QntCalc.ini").toStdString()).Keys("Settings"),
              (std::vector<std::string>{"NumVesk", "Vesk1", "Vesk3"}));
    QWidgetList shown;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible())
            shown << window;
    }
    EXPECT_EQ(shown, QWidgetList{&Window()});
}

TEST_F(DesktopTest, ASettingsFileThatHoldsNoSettingsIsSaidOverTheShownWindow) {
    Window().close();
    WriteFile(Path("QntCalc.ini"), "[Shopping]\nmilk=1\n");
    StartProgram();
    messages.Expect({"QntCalc.ini in " + globals.StartDir +
                         " holds no settings; it was renamed to QntCalc.BAK and a new settings "
                         "file was started.",
                     "Settings file"});
    program->ShowMainWindow();
    EXPECT_FALSE(messages.AllShown()) << "not before the window is shown";
    EXPECT_TRUE(QTest::qWaitFor([this] { return messages.AllShown(); }));
    EXPECT_TRUE(Window().isVisible());
}

struct ArgumentsRow {
    const char* name;
    QStringList arguments;
    const char* title;
    const char* mainpath;
    const char* file; // refused with a box, or ""
    const char* reason;
    const char* recent = ""; // first in the File menu after it
};

TEST_F(DesktopTest, AProjectNamedAtStartOpensOverTheSettings) {
    WriteFile(Path("QntCalc.ini"), "[Settings]\nNumVesk=1\nCVesk=5\nMainpath=300\n");
    WriteFile(Path("plan.ini"), "[Settings]\nNumVesk=1\nCVesk=5\nMainpath=250\n");
    WriteFile(Path("notes.txt"), "[Shopping]\nmilk=1\n");
    ASSERT_TRUE(QDir(dir.path()).mkdir("sub"));
    const char* const start = "Quarnet Calculator";
    const char* const plan = "Quarnet Calculator - plan";
    for (const ArgumentsRow& row : {
             ArgumentsRow{"NoArgument", {"QntCalc"}, start, "300", "", ""},
             ArgumentsRow{"Relative", {"QntCalc", "plan.ini"}, plan, "250", "", "", "plan.ini"},
             ArgumentsRow{"RelativeWithDots", {"QntCalc", "sub/.//../plan.ini"}, plan, "250", "",
                          "", "plan.ini"},
             ArgumentsRow{"AfterOptions", {"QntCalc", "--new", "plan.ini", "notes.txt"}, plan,
                          "250", "", ""},
             ArgumentsRow{"NoProject", {"QntCalc", "notes.txt"}, start, "300", "notes.txt",
                          "Not a project file; it has no [Settings] section with a project key"},
             ArgumentsRow{"Missing", {"QntCalc", Path("gone.ini")}, start, "300", "gone.ini",
                          "No such file or directory"},
         }) {
        SCOPED_TRACE(row.name);
        StartProgram();
        program->ShowMainWindow();
        if (*row.file)
            messages.Expect({Cannot(Path(row.file), row.reason), "Open Error"});
        std::vector<std::string> arguments;
        for (const QString& argument : row.arguments)
            arguments.push_back(QFile::encodeName(argument).toStdString());
        program->OpenArguments(arguments);
        EXPECT_TRUE(messages.AllShown());
        EXPECT_EQ(ShownTitle(), row.title);
        EXPECT_EQ(EditView("Ed_Mainpath")->text(), row.mainpath);
        if (*row.recent) {
            EXPECT_EQ(Window().findChild<QAction*>("Recent1")->statusTip(), Path(row.recent));
        }
    }
}

// Names in the file system are bytes, UTF-8 or not; Qt's texts would
// change the ones that are not.
TEST_F(DesktopTest, AProjectNamedInAnyBytesOpensAndStaysInTheList) {
    const std::string name = QFile::encodeName(dir.path()).toStdString() + "/pl\xe4n.ini";
    {
        std::ofstream file(name, std::ios::binary);
        file << "[Settings]\nNumVesk=1\nCVesk=5\nMainpath=250\n";
    }
    program->OpenArguments({"QntCalc", name});
    EXPECT_EQ(EditView("Ed_Mainpath")->text(), "250");
    Type("Ed_Mainpath", "300");
    messages.choices = {SaveChoice::Discard};
    Window().close();

    StartProgram();
    QAction* recent = Window().findChild<QAction*>("Recent1");
    ASSERT_TRUE(recent->isVisible());
    EXPECT_EQ(recent->text(), QString("&1 pl\uFFFDn"));
    EXPECT_EQ(recent->statusTip(), QFile::decodeName(QByteArray::fromStdString(name)));
    EXPECT_EQ(EditView("Ed_Mainpath")->text(), "250") << "the discarded change stays away";
    Form().Ed_Mainpath.SetText("300");
    recent->trigger(); // no box: no file was open
    EXPECT_EQ(EditView("Ed_Mainpath")->text(), "250");
    EXPECT_EQ(globals.ProjectFile, name);
}

QAction* Recent(const MasterWindow& window, int place) {
    auto* item = window.findChild<QAction*>(QStringLiteral("Recent%1").arg(place));
    EXPECT_NE(item, nullptr) << place;
    return item;
}

QStringList ShownItems(const QMenu* menu) {
    QStringList items;
    for (const QAction* action : menu->actions()) {
        if (action->isVisible())
            items << (action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    return items;
}

TEST_F(DesktopTest, TheFileMenuListsTheLastSixProjects) {
    auto* file = ViewOf<QMenu>("File1");
    const QStringList before = ShownItems(file);
    for (int i = 1; i <= 7; ++i) {
        dialogs.saveAnswers.push_back(Path(QStringLiteral("p%1.ini").arg(i)).toStdString());
        Trigger("SaveAs");
    }
    // Above Exit, the last item.
    const QStringList expected = before.mid(0, before.size() - 1) +
                                 QStringList{"&1 p7", "&2 p6", "&3 p5", "&4 p4", "&5 p3", "&6 p2",
                                             "-", "Exit"};
    EXPECT_EQ(ShownItems(file), expected);

    // The path shows in the status panel while the mouse is on the item.
    auto* third = Recent(Window(), 3);
    EXPECT_EQ(third->statusTip(), Path("p5.ini"));
    const QString status = StatusText();
    // A menu sends it to the menu bar it was opened from.
    third->showStatusText(Window().menuBar());
    EXPECT_EQ(StatusText(), Path("p5.ini"));
    QStatusTipEvent left{QString()};
    QCoreApplication::sendEvent(Window().menuBar(), &left);
    EXPECT_EQ(StatusText(), status);

    third->trigger();
    EXPECT_EQ(ShownTitle(), "Quarnet Calculator - p5");
    EXPECT_EQ(Recent(Window(), 1)->text(), "&1 p5");

    // p5, p7, p6, ...: the third is gone.
    ASSERT_TRUE(QFile::remove(Path("p6.ini")));
    messages.Expect({Cannot(Path("p6.ini"), "No such file or directory"), "Open Error"});
    Recent(Window(), 3)->trigger();
    EXPECT_EQ(Recent(Window(), 3)->text(), "&3 p4");
    EXPECT_FALSE(Recent(Window(), 6)->isVisible());

    Window().close();
    StartProgram();
    // The file gone stays out.
    EXPECT_EQ(ShownItems(ViewOf<QMenu>("File1")).mid(before.size() - 1),
              (QStringList{"&1 p5", "&2 p7", "&3 p4", "&4 p3", "&5 p2", "-", "Exit"}));
    EXPECT_EQ(Recent(Window(), 5)->statusTip(), Path("p2.ini"));
    EXPECT_EQ(OpenIni(Path("QntCalc.ini").toStdString()).Keys("Recent"),
              (std::vector<std::string>{"File1", "File2", "File3", "File4", "File5"}));
}

struct PlaceRow {
    const char* name;
    const char* window; // the settings file's [Window] section
    QPoint at;          // where the frame is expected, (-1, -1) for anywhere on the screen
    QSize size;         // of the window's inside, empty for the screen's
};

TEST_F(DesktopTest, TheWindowComesBackWhereItWasOnTheScreensThereAreNow) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    for (const PlaceRow& row : {
             PlaceRow{"Kept", "Left=20\nTop=30\nWidth=700\nHeight=400\n", {20, 30}, {700, 400}},
             PlaceRow{"FromAScreenThatIsGone", "Left=5000\nTop=40\nWidth=700\nHeight=400\n",
                      {-1, -1}, {700, 400}},
             PlaceRow{"LargerThanTheScreen", "Left=0\nTop=0\nWidth=5000\nHeight=4000\n",
                      {-1, -1}, {}},
         }) {
        SCOPED_TRACE(row.name);
        WriteFile(Path("QntCalc.ini"),
                  (std::string("[Settings]\nNumVesk=1\nCVesk=5\n[Window]\n") + row.window).c_str());
        StartProgram();
        program->ShowMainWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Window()));
        QCoreApplication::processEvents();
        EXPECT_TRUE(screen.contains(Window().frameGeometry())) << Window().frameGeometry().x();
        if (row.at.x() >= 0) {
            EXPECT_EQ(Window().pos(), row.at);
        }
        if (row.size.isEmpty()) {
            EXPECT_EQ(Window().frameGeometry().size(), screen.size());
        } else {
            EXPECT_EQ(Window().size(), row.size);
        }
    }

    Window().move(50, 60);
    Window().resize(720, 410);
    Window().close();
    const IniFile ini = OpenIni(Path("QntCalc.ini").toStdString());
    EXPECT_EQ(ini.ReadInteger("Window", "Left", 0), 50);
    EXPECT_EQ(ini.ReadInteger("Window", "Width", 0), 720);
    EXPECT_FALSE(ini.ValueExists("Settings", "Left"));

    StartProgram();
    program->ShowMainWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Window()));
    EXPECT_EQ(Window().geometry().size(), QSize(720, 410));
    EXPECT_EQ(Window().pos(), QPoint(50, 60));
    Window().showMaximized();
    Window().close();
    StartProgram();
    program->ShowMainWindow();
    EXPECT_TRUE(Window().isMaximized());
    EXPECT_EQ(Window().normalGeometry().size(), QSize(720, 410));
}

TEST_F(DesktopTest, AtItsSmallestTheWindowShowsEveryStatusMessageInFull) {
    Window().resize(1, Window().height());
    QCoreApplication::processEvents();
    auto* panel = Window().findChild<StatusPanel*>("SB_Status_Panel1");
    ASSERT_NE(panel, nullptr);
    for (std::string_view message : texts::kStatusMessages) {
        Form().SB_Status.SetPanelText(1, std::string(message));
        EXPECT_TRUE(panel->Fits()) << message;
        EXPECT_EQ(panel->toolTip(), "") << message;
    }

    // Longer than any: cut, and whole in the tooltip until there is room.
    const std::string both = std::string(texts::kDropTotal) + " " + std::string(texts::kLongSegMissing);
    Form().SB_Status.SetPanelText(1, both);
    EXPECT_FALSE(panel->Fits());
    EXPECT_EQ(panel->toolTip().toStdString(), both);
    Window().resize(panel->WidthFor(panel->text()) * 2, Window().height());
    QCoreApplication::processEvents();
    EXPECT_TRUE(panel->Fits());
    EXPECT_EQ(panel->toolTip(), "");
}

struct PageKeyRow {
    const char* name;
    const char* mode;   // the Options item chosen first
    const char* numIOD; // typed before, or ""
    std::vector<Qt::Key> keys;
    Page shown;
};

TEST_F(DesktopTest, CtrlPageDownAndUpStepThroughTheVisiblePages) {
    // At a first start Routers and Repeaters are hidden.
    for (const PageKeyRow& row : {
             PageKeyRow{"Next", "Standard", "", {Qt::Key_PageDown}, Page::Devices},
             PageKeyRow{"PastHiddenPages",
                        "Standard",
                        "",
                        {Qt::Key_PageDown, Qt::Key_PageDown, Qt::Key_PageDown, Qt::Key_PageDown},
                        Page::DropLines},
             PageKeyRow{"BackRound", "Standard", "", {Qt::Key_PageUp}, Page::Results},
             PageKeyRow{"OnRound",
                        "Standard",
                        "",
                        {Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_PageDown},
                        Page::Devices},
             PageKeyRow{"BaudRateMode", "Baudratemode", "", {Qt::Key_PageDown}, Page::DropLines},
             PageKeyRow{"ResultsHiddenByAnError", "Standard", "100", {Qt::Key_PageUp},
                        Page::DropLines},
         }) {
        SCOPED_TRACE(row.name);
        Trigger(row.mode);
        if (*row.numIOD)
            Type("Ed_NumIOD", row.numIOD);
        ViewOf<QTabWidget>("PageControl1")->setCurrentIndex(static_cast<int>(Page::Network));
        auto* field = EditView("Ed_Mainpath");
        field->setFocus(Qt::TabFocusReason);
        for (Qt::Key key : row.keys)
            QTest::keyClick(QApplication::focusWidget(), key, Qt::ControlModifier);
        EXPECT_EQ(Form().PageControl1.ActivePageIndex(), static_cast<int>(row.shown));
        EXPECT_EQ(ViewOf<QTabWidget>("PageControl1")->currentIndex(), static_cast<int>(row.shown));
        EXPECT_EQ(Form().Ed_Mainpath.Text(), "100") << "the keys change no field";
        if (*row.numIOD)
            Type("Ed_NumIOD", "2");
    }
}

TEST_F(DesktopTest, TheIconBuiltInIsThePictureInstalled) {
    const QImage installed(QStringLiteral(QNTCALC_ICON_PNG));
    ASSERT_FALSE(installed.isNull());
    EXPECT_EQ(ProgramIcon().pixmap(installed.size()).toImage(),
              QPixmap::fromImage(installed).toImage());
}

} // namespace
} // namespace qntcalc::testing
