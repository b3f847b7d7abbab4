#include "cli/ProjectOutput.h"
#include "cli/SetKeys.h"
#include "cli/WhatIfOutput.h"
#include "project/LoadedProject.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <benchmark/benchmark.h>

namespace {

// A typical project: routers, cyclic inputs and outputs, Standard mode.
constexpr const char* kProject =
    "[Settings]\nProject=Press line 4\nMainpath=600\nMainBaud=\nRB_Main=1\nRB_Baud=0\n"
    "CBRouters=1\nCBRepeaters=0\nCBDropLines=0\nDropMax=0\nDropTot=0\nNumRouters=3\n"
    "RouterType=Brenner Elektronik - Lindat\nRouterTypeIdx=5\nRouterCorr=40\nLongSeg=200\n"
    "MDSeg=100\nNumRepeater=0\nRepeaterType=Please select repeater type!\nRepeaterTypeIdx=0\n"
    "LRepeater=0\nLoadFact=5\nNumIOD=10\nNumVesk=1\nVesk1=0\nVesk3=1\nNumInp=64\n"
    "NumInpCycl=16\nInpCycl=20\nNumOut=50\nNumOutCycl=2\nOutCycl=50\nBaud=500\nBaudLong=50\n"
    "RouterCorrRes=120\nETO=127\nCTO=140\nRmax=268\nAlarm=259\nCVesk=7\nCVeskManual=0\n"
    "[Mode]\nExpert=0\nStandard=1\nBaudRateMode=0\nPageSelect=0\n"
    "[About]\nProgram=Qnt Calculator\nVersion=1.3.2.1\n";

// Read, cascade, report: what qntcalc-cli --json does for one file.
void BM_EvaluateProjectFile(benchmark::State& state) {
    const std::string path =
        (std::filesystem::temp_directory_path() / "qntcalc-bench-project.ini").string();
    std::ofstream(path) << kProject;
    qntcalc::Globals program;
    program.ProgramVersion = "1.3.2.1";
    program.ProgramName = "Qnt Calculator";
    std::size_t bytes = 0;
    for (auto _ : state) {
        qntcalc::LoadedProject loaded(program);
        if (!loaded.Load(path).Ok()) {
            state.SkipWithError("project not readable");
            break;
        }
        bytes += qntcalc::cli::JsonReport(loaded, path).dump().size();
    }
    benchmark::DoNotOptimize(bytes);
    state.SetItemsProcessed(state.iterations());
    std::remove(path.c_str());
}
BENCHMARK(BM_EvaluateProjectFile);

// qntcalc-cli --sweep Mainpath=1:N --json with a project name of 16 bytes
// and of 4 MiB, for 100 and 1,000 values. The name is copied and written
// once a sweep, never once a row: the long name adds the same time to both
// sweeps, and the bytes per row (the name left out) are the same.
void BM_JsonSweepWithProjectName(benchmark::State& state) {
    const auto nameBytes = static_cast<std::size_t>(state.range(0));
    const auto values = static_cast<int32_t>(state.range(1));
    qntcalc::Globals program;
    qntcalc::LoadedProject loaded(program);
    qntcalc::cli::Options options;
    options.json = true;
    options.sweep = qntcalc::cli::SweepSpec{"Mainpath", 1, values, 1};
    options.sets = {{"Project", std::string(nameBytes, 'N')}};
    if (!qntcalc::cli::ApplySets(loaded.Form(), options).Ok()) {
        state.SkipWithError("name not set");
        return;
    }
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::ostringstream out;
        std::ostringstream err;
        bool header = false;
        if (qntcalc::cli::RunSweep(loaded, options, std::nullopt, out, err, header) != 0) {
            state.SkipWithError("sweep refused");
            break;
        }
        bytes += out.view().size() - nameBytes;
    }
    state.SetItemsProcessed(state.iterations() * values);
    state.counters["bytesPerRow"] =
        benchmark::Counter(static_cast<double>(bytes) / values, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_JsonSweepWithProjectName)
    ->ArgsProduct({{16, 4 << 20}, {100, 1000}})
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
