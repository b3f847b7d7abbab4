#include "ui/qt/GuiPlatform.h"

#include "GuiFixture.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QWindow>

namespace qntcalc::testing {
namespace {

struct FilterRow {
    const char* name;
    const char* filter;
    const char* qt;
};

void PrintTo(const FilterRow& row, std::ostream* os) {
    *os << row.name;
}

class NameFilterTest : public ::testing::TestWithParam<FilterRow> {};

TEST_P(NameFilterTest, BarSeparatedPairsBecomeQtFilters) {
    EXPECT_EQ(QtNameFilters(GetParam().filter), QString::fromUtf8(GetParam().qt));
}

INSTANTIATE_TEST_SUITE_P(
    Filters, NameFilterTest,
    ::testing::Values(FilterRow{"ProjectFiles", "Project files (*.ini)|*.ini",
                                "Project files (*.ini)"},
                      FilterRow{"PatternNotShown", "Project files|*.ini", "Project files (*.ini)"},
                      FilterRow{"SeveralPatterns", "Texts|*.txt;*.log", "Texts (*.txt *.log)"},
                      FilterRow{"TwoEntries", "Projects (*.ini)|*.ini|All files|*",
                                "Projects (*.ini);;All files (*)"},
                      FilterRow{"Empty", "", ""},
                      FilterRow{"ShownTextWithoutPattern", "Project files", ""}),
    [](const ::testing::TestParamInfo<FilterRow>& info) { return std::string(info.param.name); });

struct BoxRow {
    MessageKind kind;
    QMessageBox::Icon icon;
};

// With no window active, a box goes over the main window; with one active,
// over that one.
TEST(MessageBoxTest, ABoxHasTheIconOfItsKindOverItsWindow) {
    QWidget mainWindow;
    QWidget sheet;
    QtMessageBoxes messages;
    messages.SetMainWindow(&mainWindow);
    ASSERT_EQ(QApplication::activeWindow(), nullptr);
    for (const BoxRow& row : {BoxRow{MessageKind::Information, QMessageBox::Information},
                              BoxRow{MessageKind::Warning, QMessageBox::Warning},
                              BoxRow{MessageKind::Critical, QMessageBox::Critical}}) {
        const bool overSheet = row.kind == MessageKind::Critical;
        if (overSheet) {
            sheet.show();
            sheet.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&sheet));
        }
        QMessageBox* shown = nullptr;
        QWidget* parent = nullptr;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QTimer::singleShot(0, [&] {
            shown = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(shown, nullptr);
            parent = shown->parentWidget();
            icon = shown->icon();
            shown->close();
        });
        messages.Show("Cannot write", "Save Error", row.kind);
        EXPECT_EQ(icon, row.icon);
        EXPECT_EQ(parent, overSheet ? &sheet : &mainWindow);
    }
}

class HelpTest : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_TRUE(messages.AllShown()); }

    ExpectedMessages messages;
};

TEST_F(HelpTest, TheBuiltHelpFileLiesBesideTheExecutable) {
    const QString found = FindHelpFile(HelpSearchDirs());
    EXPECT_EQ(found, QDir(QCoreApplication::applicationDirPath()).filePath("QntCalc.hlp"));
}

TEST_F(HelpTest, TheFirstDirectoryWithTheFileWins) {
    QTemporaryDir empty;
    QTemporaryDir first;
    QTemporaryDir second;
    for (const QTemporaryDir* dir : {&first, &second}) {
        QFile file(dir->filePath("QntCalc.hlp"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    EXPECT_EQ(FindHelpFile({empty.path(), first.path(), second.path()}),
              QDir(first.path()).filePath("QntCalc.hlp"));
    EXPECT_EQ(FindHelpFile({empty.path()}), QString());
}

TEST_F(HelpTest, ATopicScrollsToItsAnchorAndTheContentsToTheTop) {
    QtHelpSystem help(messages);
    help.ShowTopic(26);
    ASSERT_NE(help.Window(), nullptr);
    EXPECT_TRUE(help.Window()->isVisible());
    EXPECT_EQ(help.Browser()->source().fragment(), "topic26");
    EXPECT_GT(help.Browser()->verticalScrollBar()->value(), 0);
    EXPECT_TRUE(help.Browser()->toPlainText().contains("Drop Lines"));

    help.ShowContents();
    EXPECT_EQ(help.Browser()->verticalScrollBar()->value(), 0);
}

TEST_F(HelpTest, AMinimisedHelpWindowComesBack) {
    QtHelpSystem help(messages);
    help.ShowContents();
    help.Window()->showMinimized();
    ASSERT_TRUE(help.Window()->isMinimized());
    help.ShowTopic(21);
    EXPECT_FALSE(help.Window()->isMinimized());
    EXPECT_TRUE(help.Window()->isVisible());
}

// Keys reach the help window through the window system, as a user's do, while
// the modal window it was asked for from stays open.
TEST_F(HelpTest, HelpFromAModalWindowTakesInput) {
    QtHelpSystem help(messages);
    help.ShowContents(); // already open before the modal window, too
    QDialog modal;
    int scrolled = -1;
    QTimer::singleShot(0, &modal, [&] {
        help.ShowContents();
        QTest::keyClick(help.Window()->windowHandle(), Qt::Key_End);
        scrolled = help.Browser()->verticalScrollBar()->value();
        modal.reject();
    });
    modal.exec();
    EXPECT_GT(scrolled, 0);

    help.ShowContents();
    EXPECT_EQ(help.Window()->windowHandle()->transientParent(), nullptr)
        << "help asked for from no modal window belongs to none";
}

TEST_F(HelpTest, AMissingHelpFileIsReportedInsteadOfAnEmptyWindow) {
    QTemporaryDir empty;
    QtHelpSystem help(messages, {empty.path()});
    const std::string text =
        "The help file QntCalc.hlp was not found in:\n" + empty.path().toStdString();
    messages.Expect({text, "Quarnet Calculator"});
    help.ShowTopic(21);
    EXPECT_EQ(help.Window(), nullptr);
}

} // namespace
} // namespace qntcalc::testing
