#pragma once

#include <any>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

#include <QFutureWatcher>
#include <QObject>
#include <QTimer>

namespace qntcalc {

// What a LatestAnswerRunner keeps up to date; all but the work run on the
// GUI thread.
template <typename Answer> struct LatestAnswerJob {
    // Runs on a worker thread; nothing when `keepGoing` stops it.
    using Work = std::function<std::optional<Answer>(const std::function<bool()>& keepGoing)>;
    // Of the state to answer; every change moves it on.
    std::function<uint64_t()> generation;
    // Copies all that the work will read.
    std::function<Work()> prepare;
    // Shows an answer; false, and nothing changes, for one to an older
    // generation.
    std::function<bool(Answer&&)> accept;
};

// Keeps an answer (the What-if chart's sweep, the limits) up to date with
// the main window without ever making the GUI thread wait for it. Changes
// that come within kCoalesceMs of each other share one job. The job runs on
// a worker thread from a snapshot taken on the GUI thread; changes that come
// while it runs stop it and are taken together into the next one. Only the
// answer to the latest generation is shown, and then `answered` is emitted.
// Nothing starts while the main window has not settled (a refused value
// being put right), nor while inactive (the window hidden).
class LatestAnswerRunner : public QObject {
    Q_OBJECT
public:
    static constexpr int kCoalesceMs = 30;
    // Quicker answers come without a flicker.
    static constexpr int kPendingMs = 150;

    // `settled`: whether the main window may be answered now.
    template <typename Answer>
    LatestAnswerRunner(std::function<bool()> settled, LatestAnswerJob<Answer> job,
                       QObject* parent = nullptr)
        : LatestAnswerRunner(std::move(settled), std::move(job.generation),
                             ErasedPrepare(std::move(job.prepare)),
                             ErasedAccept(std::move(job.accept)), parent) {}
    ~LatestAnswerRunner() override;

    // The state to answer has moved on.
    void Changed();
    // Inactive, nothing new starts; activated, a job still needed starts
    // after the coalescing pause.
    void SetActive(bool active);
    // Starts the job needed now, if it may start at all.
    void StartNow();
    bool Running() const { return job_.isRunning(); }

    // From now on `pending` says when the shown answer has been out of date
    // for kPendingMs, timed from the first change it does not answer.
    void SayWhenPending() { saysPending_ = true; }
    bool Pending() const { return pending_; }
    // Tests stand in for it with PendingElapsed.
    const QTimer& PendingTimer() const { return pendingTimer_; }
    void PendingElapsed();

signals:
    void answered();
    void pending(bool waiting);

private:
    // The answer inside, or nothing when the work stopped.
    using Work = std::function<std::any(const std::function<bool()>& keepGoing)>;

    LatestAnswerRunner(std::function<bool()> settled, std::function<uint64_t()> generation,
                       std::function<Work()> prepare, std::function<bool(std::any&)> accept,
                       QObject* parent);

    template <typename Prepare> static std::function<Work()> ErasedPrepare(Prepare prepare) {
        return [prepare = std::move(prepare)]() -> Work {
            return [work = prepare()](const std::function<bool()>& keepGoing) {
                auto answer = work(keepGoing);
                return answer ? std::any(std::move(*answer)) : std::any();
            };
        };
    }
    template <typename Answer>
    static std::function<bool(std::any&)> ErasedAccept(std::function<bool(Answer&&)> accept) {
        return [accept = std::move(accept)](std::any& answer) {
            return accept(std::move(*std::any_cast<Answer>(&answer)));
        };
    }

    void Done();
    bool Waiting() const { return shown_ != generation_(); }
    void SetPending(bool waiting);

    std::function<bool()> settled_;
    std::function<uint64_t()> generation_;
    std::function<Work()> prepare_;
    std::function<bool(std::any&)> accept_;
    // The generation the running job must still serve; it stops when this
    // moves on.
    std::shared_ptr<std::atomic<uint64_t>> wanted_;
    QFutureWatcher<std::any> job_;
    uint64_t started_ = 0;
    uint64_t shown_ = 0;
    bool active_ = false;
    QTimer coalesce_;
    bool saysPending_ = false;
    QTimer pendingTimer_;
    bool pending_ = false;
};

} // namespace qntcalc
