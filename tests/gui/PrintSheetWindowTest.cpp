#include "GuiFixture.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QTest>

namespace qntcalc::testing {
namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

using PrintSheetWindowTest = SheetWindowTest;

TEST_F(PrintSheetWindowTest, EveryControlSitsAtItsDesignPlace) {
    EXPECT_EQ(window.ClientArea()->size(), QSize(460, 596));
    EXPECT_EQ(window.minimumSize(), window.maximumSize()) << "the sheet cannot be resized";
    for (const Placement& place : PrintFormControls::Layout()) {
        SCOPED_TRACE(std::string(place.name));
        auto* view = window.Views().ViewAs<QWidget>(place.name);
        ASSERT_NE(view, nullptr);
        EXPECT_EQ(view->parentWidget(), window.ClientArea());
        const QRect at = view->geometry();
        EXPECT_EQ(at.top(), place.top);
        EXPECT_EQ(place.align == Align::Right ? at.right() + 1 : at.left(), place.x);
        if (place.width > 0) {
            EXPECT_EQ(at.width(), place.width);
        }
        if (place.height > 0) {
            EXPECT_EQ(at.height(), place.height);
        }
    }
}

// Fonts differ between platforms; a caption that would run into its
// neighbour gets smaller instead.
TEST_F(PrintSheetWindowTest, NoTextIsClippedOrCrowded) {
    const QRect client = window.ClientArea()->rect();
    const auto layout = PrintFormControls::Layout();
    for (const Placement& place : layout) {
        SCOPED_TRACE(std::string(place.name));
        auto* view = window.Views().ViewAs<QWidget>(place.name);
        ASSERT_NE(view, nullptr);
        EXPECT_TRUE(client.contains(view->geometry()));
        if (auto* label = qobject_cast<QLabel*>(view)) {
            EXPECT_GE(label->width(), label->sizeHint().width());
            EXPECT_GE(label->font().pixelSize(), 7);
        }
        if (place.frame != Frame::None)
            continue;
        // Captions keep two pixels to either side; rows may touch.
        const int gap = qobject_cast<QLabel*>(view) ? 2 : -1;
        const QRect inner = view->geometry().adjusted(-gap, 1, gap, -1);
        for (const Placement& other : layout) {
            if (other.frame == Frame::None && other.name != place.name) {
                EXPECT_FALSE(window.Views().ViewAs<QWidget>(other.name)->geometry().intersects(inner))
                    << "overlaps " << other.name;
            }
        }
    }
}

TEST_F(PrintSheetWindowTest, ShowsTheModelReadOnly) {
    ExpectMirrored(window, sheet);
    for (const char* result : {"Ed_Baud", "Ed_BaudLong", "Ed_ETO", "Ed_CTO", "Ed_Rmax", "Ed_Alarm",
                               "Ed_RouterCorrRes", "Ed_CVesk"}) {
        auto* edit = ViewOf<QLineEdit>(result);
        EXPECT_TRUE(edit->font().bold()) << result;
        EXPECT_EQ(edit->palette().color(QPalette::Disabled, QPalette::Text), QColor(Qt::black))
            << result;
    }
    EXPECT_FALSE(ViewOf<QLineEdit>("Ed_NumIOD")->font().bold());
    EXPECT_EQ(ViewOf<QLineEdit>("Ed_Status")->text(), Q(f().SB_Status.PanelText(1)));
    EXPECT_EQ(window.windowTitle(), "Qnt Calculator - Print Sheet");
}

// One font for the whole sheet, the project row larger and the version
// smaller, as designed (8, 10 and 6 pt); at most 11 pixels, 8 pt at 96 dpi.
TEST_F(PrintSheetWindowTest, FontsKeepTheirProportions) {
    const int sheetFont = ViewOf<QLineEdit>("Ed_NumIOD")->font().pixelSize();
    EXPECT_LE(sheetFont, 11);
    for (const Placement& place : PrintFormControls::Layout()) {
        const auto* view = window.Views().ViewAs<QWidget>(place.name);
        if (place.points == sheet::kFontPoints) {
            EXPECT_EQ(view->font().pixelSize(), sheetFont) << place.name;
        } else if (place.points > sheet::kFontPoints) {
            EXPECT_GT(view->font().pixelSize(), sheetFont) << place.name;
        } else {
            EXPECT_LT(view->font().pixelSize(), sheetFont) << place.name;
        }
    }
}

TEST_F(PrintSheetWindowTest, VersionLabelEndsAtItsDesignEdge) {
    auto* version = ViewOf<QLabel>("Lb_Version");
    EXPECT_EQ(version->text(), "Version: 1.3.2.1");
    EXPECT_EQ(version->geometry().right() + 1, 453);
}

TEST_F(PrintSheetWindowTest, MenuComesFromTheModel) {
    auto* file = ViewOf<QMenu>("File1");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->title(), "&File");
    QStringList shown;
    for (const QAction* action : file->actions())
        shown << (action->isSeparator() ? QStringLiteral("-")
                                        : action->text() + " " + action->shortcut().toString());
    EXPECT_EQ(shown, (QStringList{"Copy to Clipboard Ctrl+C", "-", "Printer Setup Ctrl+U",
                                  "Print Ctrl+P", "-", "Close Ctrl+X"}));

    window.show();
    TriggerSheetItem("Close1");
    EXPECT_FALSE(window.isVisible());
}

TEST_F(PrintSheetWindowTest, ActivationShowsWhatChangedWhileHidden) {
    Type(f().Ed_Project, "Hall 3");
    Type(f().Ed_Mainpath, "2000");
    f().CB_Routers.SetChecked(true);
    Type(f().Ed_NumRouters, "2");
    f().CB_RouterType.UserSelect(1);
    EXPECT_EQ(ShownText("Ed_Mainpath"), "100") << "a hidden sheet is not refreshed";

    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_EQ(ShownText("Ed_Mainpath"), "2000");
    EXPECT_EQ(ShownText("Ed_Project"), "Hall 3");
    EXPECT_EQ(ShownText("Ed_NumRouters"), "2");
    EXPECT_EQ(ShownText("Ed_RouterType"), "Harlen - Vesk QN Router");
    EXPECT_EQ(ShownText("Ed_Rmax"), Q(f().Ed_Rmax.Text()));
    EXPECT_EQ(ShownText("Ed_Status"), Q(f().SB_Status.PanelText(1)));
    ExpectMirrored(window, sheet);

    // Back from another window: the main window's newest values.
    window.hide();
    f().Baudratemode.Click();
    window.show();
    EXPECT_EQ(ShownText("Ed_Rmax"), "");
    EXPECT_EQ(ShownText("Ed_Baud"), Q(f().Ed_Baud.Text()));
}

TEST_F(PrintSheetWindowTest, LongTextsShowTheirBeginning) {
    const std::string project(80, 'P');
    Type(f().Ed_Project, "Start " + project);
    window.show();
    auto* edit = ViewOf<QLineEdit>("Ed_Project");
    EXPECT_EQ(edit->cursorPosition(), 0);
}

TEST_F(PrintSheetWindowTest, F1OpensTheSheetsHelpTopic) {
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_F1);
    EXPECT_EQ(help.topics, std::vector<int>{100});
}

} // namespace
} // namespace qntcalc::testing
