#include "whatif/qt/LimitsScheduler.h"

#include "window/WindowSnapshot.h"

#include <QtConcurrent/QtConcurrentRun>

namespace qntcalc {

LimitsScheduler::LimitsScheduler(const TMasterForm& master, QObject* parent)
    : QObject(parent), master_(master), wanted_(std::make_shared<std::atomic<uint64_t>>(0)) {
    coalesce_.setSingleShot(true);
    coalesce_.setInterval(kCoalesceMs);
    connect(&coalesce_, &QTimer::timeout, this, [this] { StartNow(); });
    connect(&search_, &QFutureWatcher<std::optional<Answer>>::finished, this, [this] { Done(); });
}

LimitsScheduler::~LimitsScheduler() {
    // The search owns copies of all it reads; stopping it is only quicker.
    wanted_->store(0);
    search_.waitForFinished();
}

void LimitsScheduler::Changed(const Requirements& required) {
    required_ = required;
    ++generation_;
    // A search that runs now serves an older state: let it stop.
    wanted_->store(generation_, std::memory_order_relaxed);
    if (active_ && !coalesce_.isActive())
        coalesce_.start();
}

void LimitsScheduler::SetActive(bool active) {
    active_ = active;
    if (active_ && started_ != generation_ && !coalesce_.isActive())
        coalesce_.start();
}

void LimitsScheduler::StartNow() {
    // A running search starts the next itself when it ends.
    if (!active_ || search_.isRunning() || started_ == generation_)
        return;
    if (!master_.Settled()) {
        coalesce_.start();
        return;
    }
    started_ = generation_;
    wanted_->store(started_, std::memory_order_relaxed);
    search_.setFuture(QtConcurrent::run([snapshot = WindowSnapshot(master_), required = required_,
                                         wanted = wanted_,
                                         generation = started_]() -> std::optional<Answer> {
        std::optional<std::vector<InputLimit>> limits = FindLimits(
            snapshot, required,
            [&] { return wanted->load(std::memory_order_relaxed) == generation; });
        if (!limits)
            return std::nullopt;
        return Answer{generation, required, std::move(*limits)};
    }));
}

void LimitsScheduler::Done() {
    std::optional<Answer> answer = search_.result();
    if (answer && answer->generation == generation_) {
        shownGeneration_ = answer->generation;
        shownRequired_ = answer->required;
        shown_ = std::move(answer->limits);
        emit answered();
    }
    if (started_ != generation_ && !coalesce_.isActive())
        StartNow();
}

} // namespace qntcalc
