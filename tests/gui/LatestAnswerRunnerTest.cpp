#include "whatif/qt/LatestAnswerRunner.h"

#include "tests/support/PlatformDoubles.h"
#include "whatif/LimitsForm.h"
#include "whatif/WhatIfForm.h"

#include <atomic>
#include <functional>
#include <string>
#include <type_traits>
#include <vector>

#include <QTest>

#include <gtest/gtest.h>

namespace qntcalc::testing {
namespace {

// Runs `whileShown` while the main window's box is open.
class BoxWithWork : public RecordingMessages {
public:
    void Show(std::string_view text, std::string_view caption, MessageKind kind) override {
        RecordingMessages::Show(text, caption, kind);
        if (whileShown)
            whileShown();
    }
    std::function<void()> whileShown;
};

// The two answers the What-if window keeps up to date, each with its form.
struct Sweeps {
    using Answer = WhatIfAnswer;
    static Answer To(uint64_t generation) { return {generation, {}, {}, 0, {}, {}}; }
    void Change() { form.MainWindowChanged(); }
    WhatIfForm form;
};

struct Limits {
    using Answer = LimitsAnswer;
    static Answer To(uint64_t generation) { return {generation, {}, {}}; }
    void Change() { form.Changed({300, std::nullopt, std::nullopt}); }
    LimitsForm form;
};

// Jobs that answer at once, or the first one when released.
template <typename Kind> class LatestAnswerRunnerTest : public ::testing::Test {
protected:
    using Answer = typename Kind::Answer;

    LatestAnswerRunnerTest() {
        master.Recalculate();
        QObject::connect(&runner, &LatestAnswerRunner::answered,
                         [this] { answered.push_back(kind.form.Shown()->generation); });
        QObject::connect(&runner, &LatestAnswerRunner::pending,
                         [this](bool waiting) { pending.push_back(waiting); });
    }

    LatestAnswerJob<Answer> Job() {
        return {[this] { return kind.form.Generation(); }, [this] { return Prepare(); },
                [this](Answer&& answer) { return kind.form.Accept(std::move(answer)); }};
    }

    typename LatestAnswerJob<Answer>::Work Prepare() {
        const uint64_t generation = kind.form.Generation();
        prepared.push_back(generation);
        const bool hold = holdFirst && prepared.size() == 1;
        return [this, hold,
                generation](const std::function<bool()>& keepGoing) -> std::optional<Answer> {
            if (hold) {
                started = true;
                while (!released)
                    QThread::yieldCurrentThread();
                cancelled = !keepGoing();
            }
            // Answered even when stopped: only the form may drop it.
            return Kind::To(generation);
        };
    }

    void Change() {
        kind.Change();
        runner.Changed();
    }

    bool WaitForAnswers(std::size_t count) {
        return QTest::qWaitFor([&] { return answered.size() >= count && !runner.Running(); });
    }

    Globals globals;
    BoxWithWork messages;
    RecordingHelp help;
    TMasterForm master{globals, messages, help, "07.12.2026"};
    Kind kind;
    bool holdFirst = false;
    std::atomic<bool> started = false;
    std::atomic<bool> released = false;
    std::atomic<bool> cancelled = false;
    std::vector<uint64_t> prepared;
    std::vector<uint64_t> answered;
    std::vector<bool> pending;
    LatestAnswerRunner runner{[this] { return master.Settled(); }, Job()};
};

using Kinds = ::testing::Types<Sweeps, Limits>;
struct KindNames {
    template <typename Kind>
    static std::string GetName(int) {
        return std::is_same_v<Kind, Sweeps> ? "Sweeps" : "Limits";
    }
};
TYPED_TEST_SUITE(LatestAnswerRunnerTest, Kinds, KindNames);

TYPED_TEST(LatestAnswerRunnerTest, ChangesTogetherShareOneJobOnlyWhileActive) {
    this->Change();
    this->runner.StartNow();
    EXPECT_TRUE(this->prepared.empty()) << "inactive";
    this->runner.SetActive(true);
    for (int change = 0; change < 4; ++change)
        this->Change();
    ASSERT_TRUE(this->WaitForAnswers(1));
    EXPECT_EQ(this->prepared, std::vector<uint64_t>{6});
    EXPECT_EQ(this->answered, std::vector<uint64_t>{6});
    this->runner.StartNow();
    EXPECT_EQ(this->prepared, std::vector<uint64_t>{6}) << "answered already";
}

// The coalescing pause runs out, and StartNow is asked, while the held job
// still runs: the next starts only when that one ends, and its answer is
// the only one shown.
TYPED_TEST(LatestAnswerRunnerTest, AChangeStopsTheRunningJobAndOnlyTheLatestAnswerComes) {
    this->holdFirst = true;
    this->runner.SetActive(true);
    this->runner.StartNow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return this->started.load(); }));
    this->Change();
    this->runner.StartNow();
    QTest::qWait(3 * LatestAnswerRunner::kCoalesceMs);
    EXPECT_EQ(this->prepared, std::vector<uint64_t>{1}) << "one job at a time";
    this->released = true;
    ASSERT_TRUE(this->WaitForAnswers(1));
    EXPECT_TRUE(this->cancelled);
    EXPECT_EQ(this->prepared, (std::vector<uint64_t>{1, 2}));
    EXPECT_EQ(this->answered, std::vector<uint64_t>{2});
}

// The window hidden before the coalescing pause ran out.
TYPED_TEST(LatestAnswerRunnerTest, NothingStartsOnceInactive) {
    this->runner.SetActive(true);
    this->Change();
    this->runner.SetActive(false);
    QTest::qWait(3 * LatestAnswerRunner::kCoalesceMs);
    this->runner.StartNow();
    EXPECT_TRUE(this->prepared.empty());
    this->runner.SetActive(true);
    ASSERT_TRUE(this->WaitForAnswers(1));
    EXPECT_EQ(this->prepared, std::vector<uint64_t>{2});
}

// The refused text is still in the field while its box is open: the start
// waits a coalescing pause and tries again. The pause of activation has run
// out by then, and the change in the box brings none of its own.
TYPED_TEST(LatestAnswerRunnerTest, WaitsUntilTheMainWindowHasSettled) {
    this->runner.SetActive(true);
    ASSERT_TRUE(this->WaitForAnswers(1));
    std::vector<bool> settledInBox;
    this->messages.whileShown = [&] {
        settledInBox.push_back(this->master.Settled());
        this->kind.Change();
        this->runner.StartNow();
    };
    this->master.Ed_Mainpath.Enter();
    this->master.Ed_Mainpath.SetText("0");
    EXPECT_EQ(settledInBox, std::vector<bool>{false});
    EXPECT_EQ(this->prepared, std::vector<uint64_t>{1});
    EXPECT_TRUE(this->master.Settled());
    ASSERT_TRUE(this->WaitForAnswers(2));
    EXPECT_EQ(this->prepared, (std::vector<uint64_t>{1, 2}));
}

// The What-if chart says when its answer is late.
class PendingSweepTest : public LatestAnswerRunnerTest<Sweeps> {
protected:
    PendingSweepTest() { runner.SayWhenPending(); }
};

// The test stands in for the pending timer's clock.
TEST_F(PendingSweepTest, SaysSoWhenTheAnswerToAChangeTakesLong) {
    EXPECT_EQ(runner.PendingTimer().interval(), 150);
    holdFirst = true;
    runner.SetActive(true);
    Change();
    EXPECT_TRUE(runner.PendingTimer().isActive());
    EXPECT_FALSE(runner.Pending()) << "not before the time is up";
    runner.PendingElapsed();
    EXPECT_TRUE(runner.Pending());
    released = true;
    ASSERT_TRUE(WaitForAnswers(1));
    EXPECT_FALSE(runner.Pending());
    EXPECT_EQ(pending, (std::vector<bool>{true, false}));

    // Answered in time: nothing to say.
    Change();
    ASSERT_TRUE(WaitForAnswers(2));
    EXPECT_FALSE(runner.PendingTimer().isActive());
    runner.PendingElapsed();
    EXPECT_EQ(pending, (std::vector<bool>{true, false}));
}

// A stream of changes does not put it off.
TEST_F(PendingSweepTest, TimedFromTheFirstChangeNotAnswered) {
    Change();
    QTest::qWait(60);
    Change();
    EXPECT_LE(runner.PendingTimer().remainingTime(), LatestAnswerRunner::kPendingMs - 50);
}

} // namespace
} // namespace qntcalc::testing
