#include "app/Program.h"
#include "ui/qt/GuiPlatform.h"

#include <memory>

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

// The Qt program on the offscreen platform: how long a typed value takes to
// show its results, and how long the start takes to the first shown window.
namespace {

using namespace qntcalc;

// Nothing measured here asks the user anything; these answer at once.
class SilentMessages : public MessageBoxes {
public:
    void Show(std::string_view, std::string_view, MessageKind) override {}
};

class CancelledDialogs : public FileDialogs {
public:
    std::optional<std::string> ChooseOpenFile(const FileDialogSetup&) override { return {}; }
    std::optional<std::string> ChooseSaveFile(const FileDialogSetup&) override { return {}; }
};

class NoHelp : public HelpSystem {
public:
    void ShowContents() override {}
    void ShowTopic(int) override {}
};

// The program writes QntCalc.ini into its working directory.
class ScratchDir {
public:
    ScratchDir() : previous_(QDir::currentPath()) { QDir::setCurrent(dir_.path()); }
    ~ScratchDir() { QDir::setCurrent(previous_); }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

private:
    QTemporaryDir dir_;
    QString previous_;
};

struct Running {
    ScratchDir scratch;
    Globals globals;
    SilentMessages messages;
    CancelledDialogs dialogs;
    NoHelp help;
    Program program{globals, {messages, dialogs, help}, TodayText()};

    Running() {
        program.ShowMainWindow();
        QCoreApplication::processEvents();
    }
};

// One changed text through the model's whole cascade (check, calculation,
// 27 fields written back, status) and the widget updates, painted.
void BM_EditToResultsShown(benchmark::State& state) {
    Running running;
    EditField& mainPath = running.program.Form().Ed_Mainpath;
    const char* const lengths[] = {"300", "100"}; // m: 125 and 500 kBits/s
    int next = 0;
    for (auto _ : state) {
        mainPath.SetText(lengths[next]);
        next ^= 1;
        QCoreApplication::processEvents();
    }
    state.counters["Baud"] = running.program.Form().State().Baud;
}
BENCHMARK(BM_EditToResultsShown)->Unit(benchmark::kMicrosecond);

// The same through real key events into the focused field: one key turns
// 30 m into 300 m, the next one back, and each time the rate changes.
void BM_KeyToResultsShown(benchmark::State& state) {
    Running running;
    auto* edit = running.program.Window().Views().ViewAs<QLineEdit>("Ed_Mainpath");
    running.program.Window().activateWindow();
    edit->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, QStringLiteral("30"));
    const Qt::Key keys[] = {Qt::Key_0, Qt::Key_Backspace};
    int next = 0;
    for (auto _ : state) {
        QTest::keyClick(edit, keys[next]);
        next ^= 1;
        QCoreApplication::processEvents();
    }
    state.counters["Mainpath"] = running.program.Form().State().Mainpath;
}
BENCHMARK(BM_KeyToResultsShown)->Unit(benchmark::kMicrosecond);

// The three windows built in order, the settings file read, the first
// calculation, and the main window shown and painted once.
void BM_StartUpToShownWindow(benchmark::State& state) {
    ScratchDir scratch;
    for (auto _ : state) {
        Globals globals;
        SilentMessages messages;
        CancelledDialogs dialogs;
        NoHelp help;
        auto program = std::make_unique<Program>(globals, PlatformServices{messages, dialogs, help},
                                                 TodayText());
        program->ShowMainWindow();
        QCoreApplication::processEvents();
        state.PauseTiming();
        program.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartUpToShownWindow)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
