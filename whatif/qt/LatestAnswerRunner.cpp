#include "whatif/qt/LatestAnswerRunner.h"

#include <QtConcurrent/QtConcurrentRun>

namespace qntcalc {

LatestAnswerRunner::LatestAnswerRunner(std::function<bool()> settled,
                                       std::function<uint64_t()> generation,
                                       std::function<Work()> prepare,
                                       std::function<bool(std::any&)> accept, QObject* parent)
    : QObject(parent), settled_(std::move(settled)), generation_(std::move(generation)),
      prepare_(std::move(prepare)), accept_(std::move(accept)),
      wanted_(std::make_shared<std::atomic<uint64_t>>(0)) {
    coalesce_.setSingleShot(true);
    coalesce_.setInterval(kCoalesceMs);
    connect(&coalesce_, &QTimer::timeout, this, [this] { StartNow(); });
    pendingTimer_.setSingleShot(true);
    pendingTimer_.setInterval(kPendingMs);
    connect(&pendingTimer_, &QTimer::timeout, this, [this] { PendingElapsed(); });
    connect(&job_, &QFutureWatcher<std::any>::finished, this, [this] { Done(); });
}

LatestAnswerRunner::~LatestAnswerRunner() {
    // The job owns copies of all it reads; stopping it is only quicker.
    wanted_->store(0);
    job_.waitForFinished();
}

void LatestAnswerRunner::Changed() {
    // A job that runs now serves an older state: let it stop.
    wanted_->store(generation_(), std::memory_order_relaxed);
    if (active_ && !coalesce_.isActive())
        coalesce_.start();
    // Timed from the first change not answered, not the latest.
    if (saysPending_ && Waiting() && !pending_ && !pendingTimer_.isActive())
        pendingTimer_.start();
}

void LatestAnswerRunner::PendingElapsed() {
    pendingTimer_.stop();
    SetPending(Waiting());
}

void LatestAnswerRunner::SetPending(bool waiting) {
    if (waiting == pending_)
        return;
    pending_ = waiting;
    emit pending(pending_);
}

void LatestAnswerRunner::SetActive(bool active) {
    active_ = active;
    if (active_ && started_ != generation_() && !coalesce_.isActive())
        coalesce_.start();
}

void LatestAnswerRunner::StartNow() {
    // A running job starts the next itself when it ends.
    if (!active_ || job_.isRunning() || started_ == generation_())
        return;
    // The main window may be in the middle of a value check, with the
    // refused text still in its field.
    if (!settled_()) {
        coalesce_.start();
        return;
    }
    started_ = generation_();
    wanted_->store(started_, std::memory_order_relaxed);
    job_.setFuture(QtConcurrent::run([work = prepare_(), wanted = wanted_, generation = started_] {
        return work([&] { return wanted->load(std::memory_order_relaxed) == generation; });
    }));
}

void LatestAnswerRunner::Done() {
    std::any answer = job_.result();
    if (answer.has_value() && accept_(answer)) {
        shown_ = started_;
        if (!Waiting()) {
            pendingTimer_.stop();
            SetPending(false);
        }
        emit answered();
    }
    if (started_ != generation_() && !coalesce_.isActive())
        StartNow();
}

} // namespace qntcalc
