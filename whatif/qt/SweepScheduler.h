#pragma once

#include "whatif/WhatIfForm.h"
#include "window/MasterForm.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include <QFutureWatcher>
#include <QObject>
#include <QTimer>

namespace qntcalc {

// Keeps the What-if form's answer up to date with the main window without
// ever making the GUI thread wait for a sweep. Changes that come within
// kCoalesceMs of each other share one sweep. The sweep runs on a worker
// thread from a snapshot taken on the GUI thread; changes that come while
// it runs stop it and are taken together into the next one. Only the answer
// to the latest state reaches the form, and then `answered` is emitted.
// Nothing starts while the main window has not settled (a refused value
// being put right), nor while inactive (the window hidden). When the form
// has waited kPendingMs for the answer to a change, `pending` says so, and
// so does the form's headroom.
class SweepScheduler : public QObject {
    Q_OBJECT
public:
    static constexpr int kCoalesceMs = 30;
    // Quicker answers come without a flicker.
    static constexpr int kPendingMs = 150;

    // Runs on the worker thread; nothing when `keepGoing` stops it.
    using Sweep =
        std::function<std::optional<WhatIfAnswer>(const std::function<bool()>& keepGoing)>;
    // Runs on the GUI thread: copies all that the sweep will read.
    using Prepare = std::function<Sweep(const WhatIfRequest& request)>;

    // Sweeps the main window's snapshot with AnswerWhatIf. Both must outlive
    // the scheduler.
    SweepScheduler(WhatIfForm& form, const TMasterForm& master, QObject* parent = nullptr);
    SweepScheduler(WhatIfForm& form, const TMasterForm& master, Prepare prepare,
                   QObject* parent = nullptr);
    ~SweepScheduler() override;

    // The form needs a new sweep.
    void Changed();
    // Inactive, nothing new starts; activated, a sweep the form still needs
    // starts after the coalescing pause.
    void SetActive(bool active);
    // Starts the sweep the form needs now, if it may start at all.
    void StartNow();
    bool Running() const { return sweep_.isRunning(); }
    // Whether the shown answer is out of date and has been for kPendingMs.
    bool Pending() const { return pending_; }
    // Runs out kPendingMs after a change the form still waits for; tests
    // stand in for it with PendingElapsed.
    const QTimer& PendingTimer() const { return pendingTimer_; }
    void PendingElapsed();

signals:
    void answered();
    void pending(bool waiting);

private:
    void Done();
    bool Waiting() const;
    void SetPending(bool waiting);

    WhatIfForm& form_;
    const TMasterForm& master_;
    Prepare prepare_;
    // The generation the running sweep must still serve; it stops when
    // this moves on.
    std::shared_ptr<std::atomic<uint64_t>> wanted_;
    QFutureWatcher<std::optional<WhatIfAnswer>> sweep_;
    uint64_t started_ = 0;
    bool active_ = false;
    QTimer coalesce_;
    QTimer pendingTimer_;
    bool pending_ = false;
};

} // namespace qntcalc
