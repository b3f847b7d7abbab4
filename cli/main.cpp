#include "about/VerInfo.h"
#include "app/AppTexts.h"
#include "cli/CliOptions.h"
#include "cli/CliTexts.h"
#include "cli/Evaluation.h"
#include "cli/ExitStatus.h"
#include "cli/Report.h"
#include "cli/WhatIfReport.h"
#include "text/Numbers.h"

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
    Evaluation evaluation(program);
    evaluation.OnValueError = [](std::string_view text) {
        std::cerr << texts::kValueErrorCaption << ": " << text << '\n';
    };
    if (file) {
        if (const Result loaded = evaluation.Load(*file); !loaded.Ok()) {
            std::cerr << texts::kCliPrefix << loaded.Message() << '\n';
            return kUsage;
        }
    }
    if (options.mode)
        evaluation.ApplyMode(*options.mode);
    if (const Result set = evaluation.ApplySets(options); !set.Ok()) {
        std::cerr << texts::kCliPrefix << FileLabel(file) << ": " << set.Message() << '\n';
        return kUsage;
    }
    if (options.sweep)
        return RunSweep(evaluation, options, file, std::cout, std::cerr, csvHeaderWritten);
    if (options.headroomKey)
        return RunHeadroom(evaluation, options, file, std::cout, std::cerr);
    if (options.limits)
        return RunLimits(evaluation, options, file, std::cout, std::cerr, csvHeaderWritten);

    int exit = evaluation.EndsWithError() ? kFindings : kSound;
    const int32_t rmax = evaluation.Form().State().Rmax;
    if (options.requireRmaxMs && rmax > *options.requireRmaxMs) {
        std::cerr << texts::kCliPrefix << FileLabel(file) << ": worst case reaction time "
                  << text::GroupedNumber(rmax) << " ms exceeds "
                  << text::GroupedNumber(*options.requireRmaxMs) << " ms\n";
        exit = kFindings;
    }
    if (options.json)
        std::cout << JsonLine(JsonReport(evaluation, file));
    else
        std::cout << TextReport(evaluation, file);
    std::cout.flush();

    if (options.saveTo) {
        if (const Result saved = evaluation.Save(*options.saveTo); !saved.Ok()) {
            std::cerr << texts::kCliPrefix << saved.Message() << '\n';
            return kUsage;
        }
    }
    return exit;
}

int Main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    Options options;
    if (const Result parsed = ParseArguments(args, options); !parsed.Ok()) {
        std::cerr << texts::kCliPrefix << parsed.Message() << '\n' << texts::kTryHelp << '\n';
        return kUsage;
    }
    if (options.help) {
        std::cout << UsageText();
        return kSound;
    }
    Globals program;
    ProgramVersion version = ReadProgramVersion();
    program.ProgramVersion = std::move(version.version);
    program.ProgramName = std::move(version.name);
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
            worst = kUsage;
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
        return kUsage;
    }
}
