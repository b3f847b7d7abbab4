#include "report/qt/ReportExport.h"

#include "fileio/FileIo.h"
#include "report/ReportTexts.h"
#include "report/qt/ReportPdf.h"
#include "text/Strings.h"
#include "ui/UiTexts.h"
#include "ui/qt/GuiPlatform.h"
#include "ui/qt/QtText.h"

#include <algorithm>
#include <string>

#include <QFile>
#include <QFileInfo>
#include <QtConcurrent/QtConcurrentRun>

namespace qntcalc {

namespace {

constexpr int kPollMs = 100;

} // namespace

ReportExport::ReportExport(MessageBoxes& messages, QWidget* window)
    : QObject(window), messages_(messages), window_(window) {
    connect(&watcher_, &QFutureWatcher<std::shared_ptr<Outcome>>::finished, this,
            [this] { Done(); });
    poll_.setInterval(kPollMs);
    connect(&poll_, &QTimer::timeout, this, [this] { ShowHowFar(); });
}

ReportExport::~ReportExport() {
    if (shared_)
        shared_->cancelled = true;
    watcher_.disconnect(this);
    watcher_.waitForFinished();
}

void ReportExport::Export(FileDialogs& dialogs, const TMasterForm& form, const Globals& program,
                          bool modified, const WhatIfForm* whatIf) {
    // One at a time: a second asks for no file.
    if (running_) {
        ShowProgress();
        return;
    }
    const DialogOwner owner(window_);
    FileDialogSetup setup;
    setup.filter = std::string(texts::kReportPdfFilter);
    setup.initialDir = fileio::DialogFolder(program.ProjectDir);
    if (!program.ProjectFile.empty()) {
        const QFileInfo project(QFile::decodeName(program.ProjectFile.c_str()));
        setup.proposedName = project.completeBaseName().toStdString() + ".pdf";
    }
    const std::optional<std::string> chosen = dialogs.ChooseSaveFile(setup);
    if (!chosen)
        return;
    std::string path = *chosen;
    if (QFileInfo(QFile::decodeName(path.c_str())).suffix().isEmpty())
        path += ".pdf";
    Start(PrepareWindowReport(form, program, modified, whatIf), path,
          ToQString(form.Ed_Project.Text()));
}

void ReportExport::ShowProgress() {
    if (!progress_)
        return;
    progress_->show();
    progress_->raise();
    progress_->activateWindow();
}

void ReportExport::Start(WindowReportJob job, const std::string& out, const QString& title) {
    if (running_)
        return;
    // Refused before the long part, not after it.
    if (Result refused = CheckReportTarget(out, job.projectFile); !refused.Ok()) {
        messages_.Show(refused.Message(), texts::kSaveErrorCaption, MessageKind::Critical);
        emit finished();
        return;
    }
    running_ = true;
    out_ = out;
    projectFile_ = job.projectFile;
    title_ = title;
    shared_ = std::make_shared<Shared>();

    progress_ = new QProgressDialog(ToQString(texts::kReportProgressStarting),
                                    ToQString(texts::kReportProgressCancel), 0, 1, window_);
    progress_->setObjectName(QStringLiteral("ReportProgress"));
    progress_->setWindowTitle(ToQString(texts::kReportProgressCaption));
    // The window stays usable while the report is made.
    progress_->setWindowModality(Qt::NonModal);
    progress_->setMinimumDuration(kProgressAfterMs);
    progress_->setAutoClose(false);
    progress_->setAutoReset(false);
    progress_->setValue(0);
    connect(progress_, &QProgressDialog::canceled, this, [this] { Cancel(); });
    poll_.start();

    watcher_.setFuture(QtConcurrent::run([job = std::move(job), shared = shared_] {
        auto outcome = std::make_shared<Outcome>();
        outcome->made = MakeWindowReport(job, outcome->report, [&shared](int done, int steps) {
            shared->steps = steps;
            shared->done = done;
            return !shared->cancelled.load();
        });
        return outcome;
    }));
}

void ReportExport::ShowHowFar() {
    if (!progress_ || !shared_)
        return;
    const int steps = shared_->steps.load();
    const int done = std::min(shared_->done.load(), steps - 1);
    // A hostile input's search alone may take long: the label says which.
    progress_->setLabelText(
        done + 1 < steps
            ? ToQString(text::Format(texts::kReportProgressInput,
                                     {std::to_string(done + 1), std::to_string(steps - 1)}))
            : ToQString(texts::kReportProgressChart));
    progress_->setMaximum(steps);
    progress_->setValue(done);
}

void ReportExport::Cancel() {
    if (shared_)
        shared_->cancelled = true;
    poll_.stop();
    // Hidden for good: a box still waiting for its delay would show later.
    if (progress_)
        progress_->cancel();
}

void ReportExport::Done() {
    poll_.stop();
    const std::shared_ptr<Outcome> outcome = watcher_.result();
    const bool cancelled = shared_->cancelled.load();
    if (progress_) {
        const bool shown = progress_->isVisible();
        progress_->hide();
        progress_->deleteLater();
        progress_ = nullptr;
        // Back to where the user was, as a closed dialog gives it.
        if (shown)
            window_->activateWindow();
    }
    Result written = outcome->made;
    if (!cancelled && written.Ok())
        written = WriteReportPdf(outcome->report, title_, out_, projectFile_);
    running_ = false;
    if (!cancelled && !written.Ok())
        messages_.Show(written.Message(), texts::kSaveErrorCaption, MessageKind::Critical);
    emit finished();
}

} // namespace qntcalc
