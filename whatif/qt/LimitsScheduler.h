#pragma once

#include "whatif/Limits.h"
#include "window/MasterForm.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include <QFutureWatcher>
#include <QObject>
#include <QTimer>

namespace qntcalc {

// Keeps the limits overview up to date with the main window and the
// requirements, as SweepScheduler keeps the chart: changes within
// kCoalesceMs share one search, which runs on a worker thread from a
// snapshot; a change while it runs stops it (between inputs) and is taken
// into the next; only the answer to the latest state is kept, and then
// `answered` is emitted. Nothing starts while the main window has not
// settled, nor while inactive.
class LimitsScheduler : public QObject {
    Q_OBJECT
public:
    static constexpr int kCoalesceMs = 30;

    // `master` must outlive the scheduler.
    explicit LimitsScheduler(const TMasterForm& master, QObject* parent = nullptr);
    ~LimitsScheduler() override;

    // The main window or the requirements changed.
    void Changed(const Requirements& required);
    void SetActive(bool active);
    void StartNow();
    bool Running() const { return search_.isRunning(); }

    uint64_t Generation() const { return generation_; }
    // The generation the shown limits answer; 0 before the first.
    uint64_t ShownGeneration() const { return shownGeneration_; }
    const std::vector<InputLimit>& Shown() const { return shown_; }
    const Requirements& ShownRequired() const { return shownRequired_; }

signals:
    void answered();

private:
    struct Answer {
        uint64_t generation = 0;
        Requirements required;
        std::vector<InputLimit> limits;
    };
    void Done();

    const TMasterForm& master_;
    Requirements required_;
    uint64_t generation_ = 1;
    uint64_t started_ = 0;
    std::shared_ptr<std::atomic<uint64_t>> wanted_;
    QFutureWatcher<std::optional<Answer>> search_;
    bool active_ = false;
    QTimer coalesce_;
    uint64_t shownGeneration_ = 0;
    Requirements shownRequired_;
    std::vector<InputLimit> shown_;
};

} // namespace qntcalc
