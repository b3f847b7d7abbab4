#include "engine/Calculator.h"
#include "engine/Formulas.h"
#include "engine/ValueWindow.h"

#include <cstdint>
#include <iterator>

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

// The three floating formulas of one pass, alone: what their arithmetic costs
// apart from reading and writing the window.
void BM_TimeoutFormulas(benchmark::State& state) {
    struct Input {
        int32_t rate, messages, devices;
        int64_t bits;
    };
    static constexpr Input kInputs[] = {{500, 12, 11, 114},    {20, 12, 11, 114},
                                        {125, 100, 30, 600},   {250, 2000, 120, 4000},
                                        {10, 7, 3, 20},        {50, 480, 64, 1024},
                                        {1, 7922481, 2, 9000}, {1000, 98, 17, 333}};
    std::size_t i = 0;
    for (auto _ : state) {
        const Input& in = kInputs[i];
        i = (i + 1) % std::size(kInputs);
        benchmark::DoNotOptimize(qntcalc::CalcETO(in.rate, in.messages));
        benchmark::DoNotOptimize(qntcalc::CalcCTO(in.rate, in.messages, in.devices));
        benchmark::DoNotOptimize(qntcalc::CalcCVesk(in.devices, in.bits, (i & 1) != 0));
    }
}
BENCHMARK(BM_TimeoutFormulas);

} // namespace

BENCHMARK_MAIN();
