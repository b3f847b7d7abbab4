#include "engine/Calculator.h"
#include "engine/ValueWindow.h"

#include <benchmark/benchmark.h>

namespace {

// One complete calculation of a new window's inputs: reading 27 texts, rates,
// two iteration passes and writing 27 texts back.
void BM_RecalculateBaseline(benchmark::State& state) {
    qntcalc::ValueWindow window;
    qntcalc::Calculator calc(window);
    for (auto _ : state) {
        window.SetText(qntcalc::Field::ETO, "100");
        window.SetText(qntcalc::Field::CTO, "200");
        calc.Recalculate();
        benchmark::DoNotOptimize(calc.State().Rmax);
    }
}
BENCHMARK(BM_RecalculateBaseline);

// The worst case: an alternating iteration that runs all 100 passes.
void BM_RecalculatePassLimit(benchmark::State& state) {
    using qntcalc::Field;
    qntcalc::ValueWindow window;
    for (auto [field, text] : {std::pair{Field::Mainpath, "300"},
                               {Field::NumInp, "80"},
                               {Field::NumOut, "40"},
                               {Field::NumInpCycl, "16"},
                               {Field::InpCycl, "20"},
                               {Field::NumOutCycl, "2"},
                               {Field::OutCycl, "50"}})
        window.SetText(field, text);
    qntcalc::Calculator calc(window);
    for (auto _ : state) {
        calc.Recalculate();
        benchmark::DoNotOptimize(calc.State().Rmax);
    }
}
BENCHMARK(BM_RecalculatePassLimit);

} // namespace

BENCHMARK_MAIN();
