#pragma once

#include "app/MasterForm.h"
#include "app/WhatIfForm.h"

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
// being put right), nor while inactive (the window hidden).
class SweepScheduler : public QObject {
    Q_OBJECT
public:
    static constexpr int kCoalesceMs = 30;

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

signals:
    void answered();

private:
    void Done();

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
};

} // namespace qntcalc
