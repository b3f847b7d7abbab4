#include "ui/qt/FileKinds.h"
#include "ui/qt/GuiPlatform.h"
#include "ui/qt/HelpWindow.h"

#include "GuiFixture.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QFile>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QWindow>

#include <map>
#include <vector>

#include <sys/stat.h>

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

// The question's buttons give their answers, also by their mnemonics; a box
// closed otherwise cancels.
TEST(MessageBoxTest, TheSaveQuestionAnswersByItsButtons) {
    QWidget mainWindow;
    QtMessageBoxes messages;
    messages.SetMainWindow(&mainWindow);
    struct Row {
        QMessageBox::StandardButton button; // NoButton: a key instead
        int key;                            // with Alt, unless Escape
        SaveChoice choice;
    };
    for (const Row& row : {Row{QMessageBox::Save, 0, SaveChoice::Save},
                           Row{QMessageBox::Discard, 0, SaveChoice::Discard},
                           Row{QMessageBox::Cancel, 0, SaveChoice::Cancel},
                           Row{QMessageBox::NoButton, Qt::Key_Escape, SaveChoice::Cancel},
                           Row{QMessageBox::NoButton, Qt::Key_S, SaveChoice::Save},
                           Row{QMessageBox::NoButton, Qt::Key_D, SaveChoice::Discard}}) {
        QString text;
        QStringList buttons;
        QWidget* parent = nullptr;
        QTimer::singleShot(0, [&] {
            auto* shown = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(shown, nullptr);
            text = shown->windowTitle() + ": " + shown->text();
            parent = shown->parentWidget();
            for (QMessageBox::StandardButton button :
                 {QMessageBox::Save, QMessageBox::Discard, QMessageBox::Cancel})
                buttons << shown->button(button)->text();
            EXPECT_EQ(static_cast<QAbstractButton*>(shown->defaultButton()),
                      shown->button(QMessageBox::Save));
            if (row.key == Qt::Key_Escape) {
                QTest::keyClick(shown, Qt::Key_Escape);
            } else if (row.key) {
                ASSERT_TRUE(QTest::qWaitForWindowActive(shown));
                QTest::keyClick(shown->windowHandle(), static_cast<Qt::Key>(row.key),
                                Qt::AltModifier);
                // A mnemonic clicks the way the eye can follow, a moment later.
                if (!QTest::qWaitFor([shown] { return !shown->isVisible(); })) {
                    ADD_FAILURE() << "no button took Alt+" << QChar(row.key).toLatin1();
                    shown->button(QMessageBox::Cancel)->click();
                }
            } else {
                shown->button(row.button)->click();
            }
        });
        EXPECT_EQ(messages.AskSave("Save your changes?", "Quarnet Calculator"), row.choice);
        EXPECT_EQ(text, "Quarnet Calculator: Save your changes?");
        EXPECT_EQ(buttons, (QStringList{"&Save", "&Discard", "Cancel"}));
        EXPECT_EQ(parent, &mainWindow);
    }
}

// Qt's own provider reads a file to guess its type, and a read of /proc/kmsg,
// a FIFO or a device may never return; the dialogs type by name and kind.
TEST(FileDialogTest, ListsAnyDirectoryAndTypesFilesUnread) {
    QTemporaryDir dir;
    for (const char* name : {"blob", "sheet.csv"}) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("%PDF-1.4\n"); // read, it would be a PDF document
    }
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("pipe.ini")).constData(), 0600), 0);
    const QMimeDatabase mimes;
    const std::map<QString, QString> expected = {
        {"blob", mimes.mimeTypeForName("application/octet-stream").comment()},
        {"sheet.csv", mimes.mimeTypeForName("text/csv").comment()},
        {"pipe.ini", mimes.mimeTypeForName("inode/fifo").comment()}};

    std::map<QString, QString> typed;
    QtFileDialogs dialogs;
    const ModalWatcher watcher([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        auto* model = dialog->findChild<QFileSystemModel*>();
        ASSERT_NE(model, nullptr);
        EXPECT_EQ(model->iconProvider(), &FileKindProvider::Shared());
        dialog->setFilter(dialog->filter() | QDir::System); // FIFOs and devices too
        for (const QString& path : {QString("/proc"), QString("/dev"), dir.path()}) {
            SCOPED_TRACE(path.toStdString());
            bool loaded = false;
            const QMetaObject::Connection done = QObject::connect(
                model, &QFileSystemModel::directoryLoaded, [&](const QString& directory) {
                    loaded = loaded || directory == path;
                });
            dialog->setDirectory(path);
            EXPECT_TRUE(QTest::qWaitFor([&] { return loaded; }, 10000));
            QObject::disconnect(done);
            const QModelIndex root = model->index(path);
            EXPECT_GT(model->rowCount(root), 0);
            for (int row = 0; row < model->rowCount(root); ++row) {
                const QString type = model->index(row, 2, root).data().toString();
                EXPECT_FALSE(type.isEmpty());
                if (path == dir.path())
                    typed[model->index(row, 0, root).data().toString()] = type;
            }
        }
        dialog->reject();
    });
    EXPECT_EQ(dialogs.ChooseSaveFile({"All files (*)|*", dir.path().toStdString(), {}}),
              std::nullopt);
    EXPECT_EQ(watcher.seen, 1);
    EXPECT_EQ(typed, expected);
}

class HelpTest : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_TRUE(messages.AllShown()); }

    // Made on first use, as the program makes it.
    QtHelpSystem::WindowOnFirstUse Viewer() {
        return [this]() -> HelpWindow& {
            if (!viewer)
                viewer = std::make_unique<HelpWindow>();
            return *viewer;
        };
    }

    RecordingMessages messages{Unannounced::Fail};
    std::unique_ptr<HelpWindow> viewer;
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
    QtHelpSystem help(messages, Viewer());
    help.ShowTopic(26);
    ASSERT_NE(viewer.get(), nullptr);
    EXPECT_TRUE(viewer.get()->isVisible());
    EXPECT_EQ(viewer.get()->Browser()->source().fragment(), "topic26");
    EXPECT_GT(viewer.get()->Browser()->verticalScrollBar()->value(), 0);
    EXPECT_TRUE(viewer.get()->Browser()->toPlainText().contains("Drop Lines"));

    help.ShowContents();
    EXPECT_EQ(viewer.get()->Browser()->verticalScrollBar()->value(), 0);
}

TEST_F(HelpTest, AMinimisedHelpWindowComesBack) {
    QtHelpSystem help(messages, Viewer());
    help.ShowContents();
    viewer.get()->showMinimized();
    ASSERT_TRUE(viewer.get()->isMinimized());
    help.ShowTopic(21);
    EXPECT_FALSE(viewer.get()->isMinimized());
    EXPECT_TRUE(viewer.get()->isVisible());
}

// Keys reach the help window through the window system, as a user's do, while
// the modal window it was asked for from stays open.
TEST_F(HelpTest, HelpFromAModalWindowTakesInput) {
    QtHelpSystem help(messages, Viewer());
    help.ShowContents(); // already open before the modal window, too
    QDialog modal;
    int scrolled = -1;
    QTimer::singleShot(0, &modal, [&] {
        help.ShowContents();
        QTest::keyClick(viewer.get()->windowHandle(), Qt::Key_End);
        scrolled = viewer.get()->Browser()->verticalScrollBar()->value();
        modal.reject();
    });
    modal.exec();
    EXPECT_GT(scrolled, 0);

    help.ShowContents();
    EXPECT_EQ(viewer.get()->windowHandle()->transientParent(), nullptr)
        << "help asked for from no modal window belongs to none";
}

// F1 on another control while the help is open goes on in the same history,
// and so does a link followed inside the page.
TEST_F(HelpTest, BackForwardAndContentsWalkTheHistory) {
    struct Row {
        int topic; // 0: the key with Alt instead, or a click on the link
        Qt::Key key;
        const char* fragment;
        bool back;
        bool forward;
        const char* link = nullptr; // the first below the top of the view
    };
    QtHelpSystem help(messages, Viewer());
    std::map<QString, int> scrolledTo;
    for (const Row& row : {Row{26, {}, "topic26", false, false},
                           Row{21, {}, "topic21", true, false},
                           Row{0, Qt::Key_Left, "topic26", false, true},
                           Row{0, Qt::Key_Right, "topic21", true, false},
                           Row{0, Qt::Key_Home, "", true, false},
                           Row{0, Qt::Key_Left, "topic21", true, true},
                           Row{20, {}, "topic20", true, false},
                           Row{0, {}, "topic24", true, false, "Routers page"},
                           Row{0, Qt::Key_Left, "topic20", true, true},
                           Row{0, Qt::Key_Right, "topic24", true, false},
                           Row{0, Qt::Key_Left, "topic20", true, true}}) {
        SCOPED_TRACE(row.fragment);
        if (row.topic != 0) {
            help.ShowTopic(row.topic);
        } else if (row.link) {
            QTextBrowser* browser = viewer.get()->Browser();
            QTextCursor link = browser->document()->find(
                row.link, browser->cursorForPosition(QPoint(0, 0)));
            ASSERT_FALSE(link.isNull());
            link.setPosition(link.selectionStart() + 1);
            const QPoint at = browser->cursorRect(link).center();
            QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, at);
        } else {
            QTest::keyClick(viewer.get()->windowHandle(), row.key, Qt::AltModifier);
        }
        const HelpWindow* window = viewer.get();
        const QTextBrowser* browser = window->Browser();
        EXPECT_EQ(browser->source().fragment(), row.fragment);
        const int scrolled = browser->verticalScrollBar()->value();
        EXPECT_EQ(scrolledTo.try_emplace(row.fragment, scrolled).first->second, scrolled)
            << "a page comes back where it was";
        EXPECT_EQ(window->BackAction()->isEnabled(), row.back);
        EXPECT_EQ(window->ForwardAction()->isEnabled(), row.forward);
    }
    EXPECT_EQ(scrolledTo.at(""), 0);
}

// "estimated" stands twice in the help, once near the top and once far below.
TEST_F(HelpTest, FindInPageGoesBothWaysAndWraps) {
    struct Row {
        const char* name;
        const char* typed;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int match; // -1: none
        const char* state;
    };
    QtHelpSystem help(messages, Viewer());
    help.ShowContents();
    HelpWindow* window = viewer.get();
    QTextBrowser* browser = window->Browser();
    std::vector<int> matches;
    for (QTextCursor at = browser->document()->find("estimated"); !at.isNull();
         at = browser->document()->find("estimated", at))
        matches.push_back(at.selectionStart());
    ASSERT_EQ(matches.size(), 2U);

    QTest::keyClick(window->windowHandle(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(QApplication::focusWidget(), window->FindField());
    for (const Row& row :
         {Row{"TypingFindsTheFirst", "estimated", Qt::Key_unknown, {}, 0, ""},
          Row{"EnterFindsTheNext", "", Qt::Key_Return, {}, 1, ""},
          Row{"EnterWrapsToTheTop", "", Qt::Key_Return, {}, 0, "Continued from the top"},
          Row{"ShiftEnterWrapsToTheBottom", "", Qt::Key_Return, Qt::ShiftModifier, 1,
              "Continued from the bottom"},
          Row{"ShiftF3FindsThePrevious", "", Qt::Key_F3, Qt::ShiftModifier, 0, ""},
          Row{"F3FindsTheNext", "", Qt::Key_F3, {}, 1, ""},
          Row{"TypingOnFindsNothing", "x", Qt::Key_unknown, {}, -1, "Not found"},
          Row{"BackspaceFindsItAgain", "", Qt::Key_Backspace, {}, 1, ""}}) {
        SCOPED_TRACE(row.name);
        QTest::keyClicks(window->FindField(), row.typed);
        if (row.key != Qt::Key_unknown)
            QTest::keyClick(window->windowHandle(), row.key, row.modifiers);
        const QTextCursor selected = browser->textCursor();
        EXPECT_EQ(selected.hasSelection(), row.match >= 0);
        if (row.match >= 0) {
            EXPECT_EQ(selected.selectionStart(), matches[static_cast<size_t>(row.match)]);
        }
        EXPECT_EQ(window->FindState()->text(), row.state);
    }
    QTest::keyClick(window->FindField(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(window->FindField(), Qt::Key_Backspace);
    EXPECT_FALSE(browser->textCursor().hasSelection()) << "an empty field finds nothing";

    // From a topic between the two, the search starts where the reader is.
    window->FindField()->clear();
    browser->moveCursor(QTextCursor::Start);
    help.ShowTopic(27);
    ASSERT_GT(browser->cursorForPosition({}).position(), matches[0]);
    QTest::keyClicks(window->FindField(), "estimated");
    EXPECT_EQ(browser->textCursor().selectionStart(), matches[1]);
}

TEST_F(HelpTest, TheWindowKeepsItsPlaceWhenClosedAndOpenedAgain) {
    QtHelpSystem help(messages, Viewer());
    help.ShowTopic(21);
    HelpWindow* window = viewer.get();
    const QFontMetrics metrics(window->Browser()->font());
    EXPECT_EQ(window->size(), QSize(metrics.averageCharWidth() * 90, metrics.height() * 40));

    window->setGeometry(window->geometry().translated(37, 23).adjusted(0, 0, 50, -40));
    const QRect placed = window->geometry();
    window->close();
    help.ShowTopic(26);
    EXPECT_EQ(window->geometry(), placed);
    help.ShowContents();
    EXPECT_EQ(window->geometry(), placed);
}

TEST_F(HelpTest, AMissingHelpFileIsReportedInsteadOfAnEmptyWindow) {
    QTemporaryDir empty;
    QtHelpSystem help(messages, Viewer(), {empty.path()});
    const std::string text =
        "The help file QntCalc.hlp was not found in:\n" + empty.path().toStdString();
    messages.Expect({text, "Quarnet Calculator"});
    help.ShowTopic(21);
    EXPECT_EQ(viewer.get(), nullptr);
}

} // namespace
} // namespace qntcalc::testing
