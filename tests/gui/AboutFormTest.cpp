#include "about/qt/AboutForm.h"

#include "GuiFixture.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace qntcalc::testing {
namespace {

// A box of its own beside the program's, to see what its construction does.
class AboutFormTest : public GuiTest {
protected:
    std::unique_ptr<TAboutForm> Construct() {
        return std::make_unique<TAboutForm>(
            globals, help, [this](const std::string& file) { helpFiles.push_back(file); });
    }

    std::vector<std::string> helpFiles;
};

TEST_F(AboutFormTest, ConstructionPublishesTheProgramsVersion) {
    const auto about = Construct();
    EXPECT_EQ(about->Version()->text(), "1.3.2.1");
    EXPECT_EQ(globals.ProgramVersion, "1.3.2.1");
    EXPECT_EQ(globals.ProgramName, "Qnt Calculator");
    EXPECT_EQ(helpFiles, std::vector<std::string>{"QntCalc.hlp"});
    EXPECT_FALSE(about->isVisible()) << "created hidden";
    EXPECT_EQ(about->windowTitle(), "About");
    EXPECT_EQ(about->Title()->text(), "Quarnet Calculator");
    EXPECT_TRUE(about->Title()->font().bold());
    EXPECT_TRUE(about->Version()->font().bold());
}

// The maker has no e-mail or web address; the box invents none.
TEST_F(AboutFormTest, NamesTheMakerAndNothingElse) {
    const auto about = Construct();
    QStringList texts;
    for (const QLabel* label : about->findChildren<QLabel*>())
        texts << label->text();
    EXPECT_TRUE(texts.contains("The QntCalc project"));
    for (const QString& text : texts) {
        EXPECT_FALSE(text.contains('@')) << text.toStdString();
        EXPECT_FALSE(text.contains("www") || text.contains("http")) << text.toStdString();
    }
}

TEST_F(AboutFormTest, NothingIsClipped) {
    const auto about = Construct();
    const QRect box = about->findChild<QWidget*>("Bevel1")->geometry();
    EXPECT_GE(box.width(), 225);
    QRect previous;
    for (const char* name : {"Title", "Label4", "Copyright", "Label1"}) {
        const auto* label = about->findChild<QLabel*>(name);
        ASSERT_NE(label, nullptr) << name;
        EXPECT_GE(label->width(), label->sizeHint().width()) << name;
        EXPECT_GE(label->height(), label->sizeHint().height()) << name;
        EXPECT_TRUE(box.contains(label->geometry())) << name;
        EXPECT_GE(label->geometry().top(), previous.bottom() + 1)
            << name << " overlaps the line above";
        previous = label->geometry();
    }
    // In the box's coordinates, like the other views.
    const QRect ok(about->OkButton()->mapTo(about.get(), QPoint(0, 0)), about->OkButton()->size());
    EXPECT_GT(ok.top(), box.bottom());
    EXPECT_TRUE(about->rect().contains(ok));
    EXPECT_NEAR(ok.center().x(), box.center().x(), 1);
}

TEST_F(AboutFormTest, IsModalUntilOk) {
    const auto about = Construct();
    globals.ProgramVersion.clear();
    std::vector<int> topics;
    const ModalWatcher watcher([&](QWidget* modal) {
        EXPECT_EQ(modal, about.get());
        // Its F1 shortcut works only once the box is the active window,
        // which a busy machine may take a moment to make it.
        EXPECT_TRUE(QTest::qWaitForWindowActive(modal));
        QTest::keyClick(modal, Qt::Key_F1);
        topics = help.topics;
        QTest::mouseClick(about->OkButton(), Qt::LeftButton);
    });
    EXPECT_EQ(about->exec(), QDialog::Accepted);
    EXPECT_EQ(watcher.seen, 1);
    EXPECT_EQ(topics, std::vector<int>{10});
    EXPECT_EQ(globals.ProgramVersion, "") << "showing re-reads nothing";
    EXPECT_EQ(helpFiles.size(), 1u);
}

// Start-up order: the sheet, constructed after the About box, labels itself
// with the version the About box read, though the box was never shown.
TEST_F(AboutFormTest, TheSheetShowsTheVersionReadByTheAboutBox) {
    RecordingMessages messages;
    TMasterForm master(globals, messages, help, "07.12.2026");
    const auto about = Construct();
    TPrintForm sheet(master, globals.ProgramVersion);
    const PrintSheetWindow window(sheet, help);
    EXPECT_EQ(sheet.Lb_Version.Caption(), "Version: 1.3.2.1");
    EXPECT_EQ(window.Views().ViewAs<QLabel>("Lb_Version")->text(), "Version: 1.3.2.1");
}

} // namespace
} // namespace qntcalc::testing
