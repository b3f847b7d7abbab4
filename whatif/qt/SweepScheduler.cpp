#include "whatif/qt/SweepScheduler.h"

#include "window/WindowSnapshot.h"

#include <QtConcurrent/QtConcurrentRun>

namespace qntcalc {

namespace {

SweepScheduler::Sweep SnapshotSweep(const TMasterForm& master, const WhatIfRequest& request) {
    return [snapshot = WindowSnapshot(master), request](const std::function<bool()>& keepGoing) {
        return AnswerWhatIf(snapshot, request, keepGoing);
    };
}

} // namespace

SweepScheduler::SweepScheduler(WhatIfForm& form, const TMasterForm& master, QObject* parent)
    : SweepScheduler(
          form, master,
          [&master](const WhatIfRequest& request) { return SnapshotSweep(master, request); },
          parent) {}

SweepScheduler::SweepScheduler(WhatIfForm& form, const TMasterForm& master, Prepare prepare,
                               QObject* parent)
    : QObject(parent), form_(form), master_(master), prepare_(std::move(prepare)),
      wanted_(std::make_shared<std::atomic<uint64_t>>(0)) {
    coalesce_.setSingleShot(true);
    coalesce_.setInterval(kCoalesceMs);
    connect(&coalesce_, &QTimer::timeout, this, [this] { StartNow(); });
    pendingTimer_.setSingleShot(true);
    pendingTimer_.setInterval(kPendingMs);
    connect(&pendingTimer_, &QTimer::timeout, this, [this] { PendingElapsed(); });
    connect(&sweep_, &QFutureWatcher<std::optional<WhatIfAnswer>>::finished, this,
            [this] { Done(); });
}

SweepScheduler::~SweepScheduler() {
    // The sweep owns copies of all it reads; stopping it is only quicker.
    wanted_->store(0);
    sweep_.waitForFinished();
}

void SweepScheduler::Changed() {
    // A sweep that runs now serves an older state: let it stop.
    wanted_->store(form_.Generation(), std::memory_order_relaxed);
    if (active_ && !coalesce_.isActive())
        coalesce_.start();
    // Timed from the first change not answered, not the latest.
    if (Waiting() && !pending_ && !pendingTimer_.isActive())
        pendingTimer_.start();
}

bool SweepScheduler::Waiting() const {
    const WhatIfAnswer* shown = form_.Shown();
    return !shown || shown->generation != form_.Generation();
}

void SweepScheduler::PendingElapsed() {
    pendingTimer_.stop();
    SetPending(Waiting());
}

void SweepScheduler::SetPending(bool waiting) {
    if (waiting == pending_)
        return;
    pending_ = waiting;
    form_.SetUpdating(pending_);
    emit pending(pending_);
}

void SweepScheduler::SetActive(bool active) {
    active_ = active;
    if (active_ && started_ != form_.Generation() && !coalesce_.isActive())
        coalesce_.start();
}

void SweepScheduler::StartNow() {
    // A running sweep starts the next itself when it ends.
    if (!active_ || sweep_.isRunning() || started_ == form_.Generation())
        return;
    // The main window may be in the middle of a value check, with the
    // refused text still in its field.
    if (!master_.Settled()) {
        coalesce_.start();
        return;
    }
    const WhatIfRequest request = form_.Request();
    started_ = request.generation;
    wanted_->store(started_, std::memory_order_relaxed);
    sweep_.setFuture(QtConcurrent::run(
        [sweep = prepare_(request), wanted = wanted_, generation = request.generation] {
            return sweep(
                [&] { return wanted->load(std::memory_order_relaxed) == generation; });
        }));
}

void SweepScheduler::Done() {
    std::optional<WhatIfAnswer> answer = sweep_.result();
    if (answer && form_.Accept(std::move(*answer))) {
        if (!Waiting()) {
            pendingTimer_.stop();
            SetPending(false);
        }
        emit answered();
    }
    if (started_ != form_.Generation() && !coalesce_.isActive())
        StartNow();
}

} // namespace qntcalc
