#include "app/qt/SweepScheduler.h"

#include "tests/support/PlatformDoubles.h"

#include <atomic>
#include <functional>
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

// Sweeps that answer at once, or the first one when released.
class SweepSchedulerTest : public ::testing::Test {
protected:
    SweepSchedulerTest() {
        master.Recalculate();
        connect();
    }

    void connect() {
        QObject::connect(&scheduler, &SweepScheduler::answered, [this] {
            answered.push_back(form.Shown()->generation);
        });
        QObject::connect(&scheduler, &SweepScheduler::pending,
                         [this](bool waiting) { pending.push_back(waiting); });
    }

    SweepScheduler::Sweep Prepare(const WhatIfRequest& request) {
        prepared.push_back(request.generation);
        const bool hold = holdFirst && prepared.size() == 1;
        return [this, hold, generation = request.generation](const std::function<bool()>& keepGoing)
                   -> std::optional<WhatIfAnswer> {
            if (hold) {
                started = true;
                while (!released)
                    QThread::yieldCurrentThread();
                cancelled = !keepGoing();
            }
            // Answered even when stopped: only the scheduler may drop it.
            return WhatIfAnswer{generation, {}, {}, 0, {}, {}};
        };
    }

    void Change() {
        form.MainWindowChanged();
        scheduler.Changed();
    }

    bool WaitForAnswers(std::size_t count) {
        return QTest::qWaitFor([&] { return answered.size() >= count && !scheduler.Running(); });
    }

    Globals globals;
    BoxWithWork messages;
    RecordingHelp help;
    TMasterForm master{globals, messages, help, "07.12.2026"};
    WhatIfForm form;
    bool holdFirst = false;
    std::atomic<bool> started = false;
    std::atomic<bool> released = false;
    std::atomic<bool> cancelled = false;
    std::vector<uint64_t> prepared;
    std::vector<uint64_t> answered;
    std::vector<bool> pending;
    SweepScheduler scheduler{form, master,
                             [this](const WhatIfRequest& request) { return Prepare(request); }};
};

TEST_F(SweepSchedulerTest, ChangesTogetherShareOneSweepOnlyWhileActive) {
    Change();
    scheduler.StartNow();
    EXPECT_TRUE(prepared.empty()) << "inactive";
    scheduler.SetActive(true);
    Change();
    Change();
    ASSERT_TRUE(WaitForAnswers(1));
    EXPECT_EQ(prepared, std::vector<uint64_t>{4});
    EXPECT_EQ(answered, std::vector<uint64_t>{4});
}

TEST_F(SweepSchedulerTest, AChangeStopsTheRunningSweepAndOnlyTheLatestAnswerComes) {
    holdFirst = true;
    scheduler.SetActive(true);
    scheduler.StartNow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return started.load(); }));
    Change();
    released = true;
    ASSERT_TRUE(WaitForAnswers(1));
    EXPECT_TRUE(cancelled);
    EXPECT_EQ(prepared, (std::vector<uint64_t>{1, 2}));
    EXPECT_EQ(answered, std::vector<uint64_t>{2});
}

// The test stands in for the pending timer's clock.
TEST_F(SweepSchedulerTest, SaysSoWhenTheAnswerToAChangeTakesLong) {
    EXPECT_EQ(scheduler.PendingTimer().interval(), 150);
    holdFirst = true;
    scheduler.SetActive(true);
    Change();
    EXPECT_TRUE(scheduler.PendingTimer().isActive());
    EXPECT_FALSE(scheduler.Pending()) << "not before the time is up";
    scheduler.PendingElapsed();
    EXPECT_TRUE(scheduler.Pending());
    released = true;
    ASSERT_TRUE(WaitForAnswers(1));
    EXPECT_FALSE(scheduler.Pending());
    EXPECT_EQ(pending, (std::vector<bool>{true, false}));

    // Answered in time: nothing to say.
    Change();
    ASSERT_TRUE(WaitForAnswers(2));
    EXPECT_FALSE(scheduler.PendingTimer().isActive());
    scheduler.PendingElapsed();
    EXPECT_EQ(pending, (std::vector<bool>{true, false}));
}

// The refused text is still in the field while its box is open.
TEST_F(SweepSchedulerTest, WaitsUntilTheMainWindowHasSettled) {
    scheduler.SetActive(true);
    std::vector<bool> settledInBox;
    messages.whileShown = [&] {
        settledInBox.push_back(master.Settled());
        scheduler.StartNow();
    };
    master.Ed_Mainpath.Enter();
    master.Ed_Mainpath.SetText("0");
    EXPECT_EQ(settledInBox, std::vector<bool>{false});
    EXPECT_TRUE(prepared.empty());
    EXPECT_TRUE(master.Settled());
    ASSERT_TRUE(WaitForAnswers(1));
    EXPECT_EQ(prepared, std::vector<uint64_t>{1});
}

} // namespace
} // namespace qntcalc::testing
