#include "report/qt/ReportCommand.h"

#include "about/VerInfo.h"
#include "fileio/FileIo.h"
#include "fileio/IniFile.h"
#include "project/LoadedProject.h"
#include "project/ProjectChanges.h"
#include "project/ProjectTexts.h"
#include "report/ReportOptions.h"
#include "report/ReportTexts.h"
#include "report/qt/ReportPdf.h"
#include "report/qt/ReportStamp.h"
#include "text/Strings.h"
#include "ui/qt/QtText.h"
#include "whatif/WhatIf.h"

#include <cstdio>
#include <exception>
#include <vector>

#include <QApplication>
#include <QFile>
#include <QFileInfo>

namespace qntcalc {

namespace {

// Whether the file's bytes, read afresh, hold what the window shows:
// another program may have changed it since it was opened or saved.
bool OnDiskAsShown(const TMasterForm& form, const Globals& program, const std::string& path,
                   const std::string& bytes) {
    LoadedProject disk(program);
    return disk.Load(path, bytes).Ok() && ProjectContent(disk.Form()) == ProjectContent(form);
}

// Qt's own notes (a missing runtime folder, say) would break the promise
// of printing nothing but a failure.
void Quiet(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

void PrintLine(const std::string& text) {
    std::fprintf(stderr, "%s%s\n", std::string(texts::kNotePrefix).c_str(), text.c_str());
}

int Report(const ReportOptions& options) {
    Globals program;
    PublishProgramVersion(program);

    // Read once: the hash and the numbers come from the same bytes, even
    // while another program replaces the file.
    std::string bytes;
    if (Result read = fileio::ReadWholeFile(options.project, kMostProjectBytes, bytes);
        !read.Ok()) {
        PrintLine(read.Message());
        return kCannotRun;
    }
    LoadedProject loaded(program);
    if (Result opened = loaded.Load(options.project, bytes); !opened.Ok()) {
        PrintLine(opened.Message());
        return kCannotRun;
    }
    ReportSource source;
    source.file =
        QFile::encodeName(QFileInfo(QFile::decodeName(options.project.c_str())).absoluteFilePath())
            .toStdString();
    source.bytes = &bytes;
    source.windowHoldsBytes = true; // loaded from them
    source.required = Applicable(loaded.Form(), options.required.Over(loaded.Form().Required()));
    if (options.whatIfKey) {
        const WhatIfInput* input = FindWhatIfInput(*options.whatIfKey);
        if (!UserCanType(loaded.Form(), *input)) {
            PrintLine(text::Format(texts::kReportNotTypeable, {*options.whatIfKey}));
            return kCannotRun;
        }
        source.whatIfInput = input->field;
    }
    Exit status = kSound;
    if (Result written = WriteReport(loaded.Form(), GatherReportFacts(program, source), options.out,
                                     options.project, status);
        !written.Ok()) {
        PrintLine(written.Message());
        return kCannotRun;
    }
    return status;
}

} // namespace

ReportFacts GatherReportFacts(const Globals& program, const ReportSource& source) {
    ReportFacts facts;
    facts.file = source.file;
    if (source.file) {
        if (!source.bytes)
            facts.fileUnreadable = true;
        else if (source.windowHoldsBytes)
            facts.sha256 = Sha256Hex(*source.bytes);
    }
    facts.madeAt = ReportTimeNow();
    facts.programName = program.ProgramName;
    facts.programVersion = program.ProgramVersion;
    facts.required = source.required;
    facts.whatIfInput = source.whatIfInput;
    return facts;
}

Result WriteReport(const TMasterForm& form, const ReportFacts& facts, const std::string& out,
                   const std::string& projectFile, Exit& status) {
    CalcReport report;
    if (Result made = MakeReport(form, facts, report); !made.Ok())
        return made;
    if (Result written =
            WriteReportPdf(report, ToQString(form.Ed_Project.Text()), out, projectFile);
        !written.Ok())
        return written;
    status = report.ExitStatus();
    return {};
}

WindowReportJob PrepareWindowReport(const TMasterForm& form, const Globals& program,
                                    bool modified, const WhatIfForm* whatIf) {
    ReportSource source;
    std::string bytes;
    if (!program.ProjectFile.empty()) {
        source.file = program.ProjectFile;
        // Hashed as it is on disk now, and only when the window holds it.
        if (fileio::ReadWholeFile(program.ProjectFile, kMostProjectBytes, bytes).Ok()) {
            source.bytes = &bytes;
            source.windowHoldsBytes =
                !modified && OnDiskAsShown(form, program, program.ProjectFile, bytes);
        }
    }
    source.required = Applicable(form, form.Required());
    // The What-if window's input when it has been asked.
    if (whatIf)
        source.whatIfInput = whatIf->ChosenInput();
    return {WindowSnapshot(form), GatherReportFacts(program, source), program,
            program.ProjectFile};
}

Result MakeWindowReport(const WindowReportJob& job, CalcReport& report,
                        const ReportProgress& progress) {
    LoadedProject own(job.program);
    if (Result restored = job.window.RestoreInto(own.Form()); !restored.Ok())
        return restored;
    return MakeReport(own.Form(), job.facts, report, progress);
}

Result ExportWindowReport(const TMasterForm& form, const Globals& program, bool modified,
                          const WhatIfForm* whatIf, const std::string& out) {
    const WindowReportJob job = PrepareWindowReport(form, program, modified, whatIf);
    CalcReport report;
    if (Result made = MakeWindowReport(job, report); !made.Ok())
        return made;
    return WriteReportPdf(report, ToQString(form.Ed_Project.Text()), out, job.projectFile);
}

int RunReportCommand(int& argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    ReportOptions options;
    if (Result parsed = ParseReportArguments(arguments, options); !parsed.Ok()) {
        PrintLine(parsed.Message());
        return kCannotRun;
    }
    // No window is ever shown: no display needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(&Quiet);
    try {
        QApplication app(argc, argv);
        return Report(options);
    } catch (const std::exception& e) {
        PrintLine(e.what());
        return kCannotRun;
    }
}

} // namespace qntcalc
