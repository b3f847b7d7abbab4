#include "about/VerInfo.h"
#include "base/ExitStatus.h"
#include "cli/CliOptions.h"
#include "cli/CliTexts.h"
#include "cli/ProjectOutput.h"
#include "cli/SetKeys.h"
#include "cli/WhatIfOutput.h"
#include "project/LoadedProject.h"
#include "text/Strings.h"
#include "whatif/Requirements.h"
#include "window/WindowTexts.h"

#include <exception>
#include <iostream>

namespace {

using namespace qntcalc;
using namespace qntcalc::cli;

std::string FileLabel(const std::optional<std::string>& file) {
    return file.value_or(std::string(texts::kNewProject));
}

// Evaluates one project (or a new one without a file) and prints its report.
int Run(const Options& options, const Globals& program, const std::optional<std::string>& file,
        bool& csvHeaderWritten) {
    LoadedProject loaded(program);
    loaded.OnValueError = [](std::string_view text) {
        std::cerr << texts::kValueErrorCaption << ": " << text << '\n';
    };
    if (file) {
        if (const Result read = loaded.Load(*file); !read.Ok()) {
            std::cerr << texts::kCliPrefix << read.Message() << '\n';
            return kCannotRun;
        }
    }
    if (options.saveTo) {
        if (const Result refused = cli::CheckSaveTarget(*options.saveTo, file, options.force);
            !refused.Ok()) {
            std::cerr << texts::kCliPrefix << refused.Message() << '\n';
            return kCannotRun;
        }
    }
    if (options.mode)
        cli::ApplyMode(loaded.Form(), *options.mode);
    const std::size_t refusedBefore = loaded.ValueErrors().size();
    if (const Result set = cli::ApplySets(loaded.Form(), options); !set.Ok()) {
        std::cerr << texts::kCliPrefix << FileLabel(file) << ": " << set.Message() << '\n';
        return kCannotRun;
    }
    // A value its check refused is a bad argument: the window put the old
    // one back, and nothing is worked out or saved from that.
    if (loaded.ValueErrors().size() > refusedBefore) {
        std::cerr << texts::kCliPrefix << FileLabel(file) << ": " << texts::kSetRefused << '\n';
        return kCannotRun;
    }
    // What the run uses is what --save writes.
    loaded.Form().SetRequirements(options.required.Over(loaded.Form().Required()));
    if (options.sweep)
        return RunSweep(loaded, options, file, std::cout, std::cerr, csvHeaderWritten);
    if (options.headroomKey)
        return RunHeadroom(loaded, options, file, std::cout, std::cerr);
    if (options.limits)
        return RunLimits(loaded, options, file, std::cout, std::cerr, csvHeaderWritten);

    int exit = loaded.EndsWithError() ? kFindings : kSound;
    if (options.required.rmaxMs) {
        const std::optional<BrokenRequirement> broken = FindBrokenRequirement(
            loaded.Form().State(),
            Applicable(loaded.Form(), {*options.required.rmaxMs, std::nullopt, std::nullopt}));
        if (broken) {
            std::cerr << texts::kCliPrefix
                      << text::Format(texts::kRmaxExceeds,
                                      {FileLabel(file), Milliseconds(broken->value),
                                       Milliseconds(broken->required)})
                      << '\n';
            exit = kFindings;
        }
    }
    if (options.json)
        std::cout << JsonLine(JsonReport(loaded, file));
    else
        std::cout << TextReport(loaded, file);
    std::cout.flush();

    if (options.saveTo) {
        if (const Result saved = loaded.Save(*options.saveTo); !saved.Ok()) {
            std::cerr << texts::kCliPrefix << saved.Message() << '\n';
            return kCannotRun;
        }
    }
    return exit;
}

int Main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    Options options;
    if (const Result parsed = ParseArguments(args, options); !parsed.Ok()) {
        std::cerr << texts::kCliPrefix << parsed.Message() << '\n' << texts::kTryHelp << '\n';
        return kCannotRun;
    }
    if (options.help) {
        std::cout << UsageText();
        return kSound;
    }
    Globals program;
    PublishProgramVersion(program);
    if (options.version) {
        std::cout << program.ProgramVersion << '\n';
        return kSound;
    }

    bool csvHeaderWritten = false;
    if (options.files.empty())
        return Run(options, program, std::nullopt, csvHeaderWritten);
    int worst = kSound;
    for (const std::string& file : options.files) {
        // One file that fails in an unforeseen way leaves the others their report.
        try {
            worst = std::max(worst, Run(options, program, file, csvHeaderWritten));
        } catch (const std::exception& e) {
            std::cout.flush();
            std::cerr << texts::kCliPrefix << file << ": " << e.what() << '\n';
            worst = kCannotRun;
        }
    }
    return worst;
}

} // namespace

int main(int argc, char** argv) {
    try {
        return Main(argc, argv);
    } catch (const std::exception& e) {
        std::cerr << texts::kCliPrefix << e.what() << '\n';
        return kCannotRun;
    }
}
