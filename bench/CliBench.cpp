#include "cli/Evaluation.h"
#include "cli/Report.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

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
        qntcalc::cli::Evaluation evaluation(program);
        if (!evaluation.Load(path).Ok()) {
            state.SkipWithError("project not readable");
            break;
        }
        bytes += qntcalc::cli::JsonReport(evaluation, path).dump().size();
    }
    benchmark::DoNotOptimize(bytes);
    state.SetItemsProcessed(state.iterations());
    std::remove(path.c_str());
}
BENCHMARK(BM_EvaluateProjectFile);

} // namespace

BENCHMARK_MAIN();
