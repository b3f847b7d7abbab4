#pragma once

#include "base/Result.h"
#include "report/CalcReport.h"
#include "report/qt/ReportCommand.h"
#include "ui/Platform.h"

#include <atomic>
#include <memory>
#include <string>

#include <QFutureWatcher>
#include <QObject>
#include <QPointer>
#include <QProgressDialog>
#include <QString>
#include <QTimer>

namespace qntcalc {

// File > Export report... without freezing the window: the report is made
// on a worker thread from the window as it was when asked, while a box
// shows how far it is and cancels it; the PDF is drawn and written on the
// window's thread. The window stays usable, and what is typed meanwhile is
// not in this report.
class ReportExport : public QObject {
    Q_OBJECT
public:
    // The progress box waits this long, so a quick report shows none.
    static constexpr int kProgressAfterMs = 400;

    // `window` is the progress box's parent; both must outlive this.
    ReportExport(MessageBoxes& messages, QWidget* window);
    // Cancels a report still being made and waits for its thread.
    ~ReportExport() override;

    // File > Export report...: asks for the PDF's name (".pdf" added to a
    // name without an extension) and starts the report of the window's
    // project; while one is made, shows its box instead.
    void Export(FileDialogs& dialogs, const TMasterForm& form, const Globals& program,
                bool modified, const WhatIfForm* whatIf);
    // Starts making the report for `out`; refuses at once (in a box) a
    // target that the PDF may not replace. Nothing while one is made.
    void Start(WindowReportJob job, const std::string& out, const QString& title);
    bool Running() const { return running_; }
    // The box of the report being made, in front.
    void ShowProgress();
    // As the box's Cancel: the report is dropped and nothing is written.
    void Cancel();
    QProgressDialog* Progress() const { return progress_; }

signals:
    // Written, refused or cancelled: the run is over.
    void finished();

private:
    struct Outcome {
        Result made;
        CalcReport report;
    };
    void Done();

    MessageBoxes& messages_;
    QWidget* window_;
    // Shared with the worker, which may outlive a cancelled run's wait.
    struct Shared {
        std::atomic<bool> cancelled{false};
        std::atomic<int> done{0};
        std::atomic<int> steps{1};
    };
    void ShowHowFar();
    std::shared_ptr<Shared> shared_;
    QFutureWatcher<std::shared_ptr<Outcome>> watcher_;
    QPointer<QProgressDialog> progress_;
    QTimer poll_;
    bool running_ = false;
    std::string out_;
    std::string projectFile_;
    QString title_;
};

} // namespace qntcalc
