#include "app/Headroom.h"
#include "app/WhatIf.h"

#include <benchmark/benchmark.h>

namespace {

using namespace qntcalc;

class NoBoxes : public MessageBoxes, public HelpSystem {
public:
    void Show(std::string_view, std::string_view, MessageKind) override {}
    void ShowContents() override {}
    void ShowTopic(int) override {}
};

void Type(EditField& edit, const char* text) {
    edit.Enter();
    edit.SetText(text);
}

// What the What-if window does for every change of the main window: take
// the snapshot, build the private copy, type 1,000 values and keep them.
void SweepThousand(benchmark::State& state, TMasterForm& form, Field field, int32_t from) {
    std::size_t points = 0;
    for (auto _ : state) {
        WhatIf whatIf{WindowSnapshot(form)};
        std::vector<WhatIfPoint> sweep;
        if (!whatIf.Sweep(field, from, from + 999, 1, sweep).Ok() || sweep.size() != 1000) {
            state.SkipWithError("input not editable");
            break;
        }
        points += sweep.size();
    }
    benchmark::DoNotOptimize(points);
    state.SetItemsProcessed(static_cast<int64_t>(points));
}

// Routers with cyclic inputs and outputs, the main path over three rate
// steps and into the routers' segment checks.
void BM_SweepMainpathRouters(benchmark::State& state) {
    Globals globals;
    NoBoxes ui;
    TMasterForm form(globals, ui, ui, "");
    form.Recalculate();
    form.CB_Routers.SetChecked(true);
    Type(form.Ed_Mainpath, "600");
    Type(form.Ed_NumRouters, "3");
    form.CB_RouterType.UserSelect(5);
    Type(form.Ed_LongSeg, "200");
    Type(form.Ed_MDSeg, "100");
    Type(form.Ed_NumInpCycl, "16");
    Type(form.Ed_InpCycl, "20");
    Type(form.Ed_NumOutCycl, "2");
    Type(form.Ed_OutCycl, "50");
    SweepThousand(state, form, Field::Mainpath, 1);
}
BENCHMARK(BM_SweepMainpathRouters)->Unit(benchmark::kMillisecond);

// The worst case: most values of an alternating network run all 100 passes.
void BM_SweepUnsettledInputs(benchmark::State& state) {
    Globals globals;
    NoBoxes ui;
    TMasterForm form(globals, ui, ui, "");
    form.Recalculate();
    for (auto [edit, text] : {std::pair{&form.Ed_Mainpath, "300"},
                              {&form.Ed_NumInp, "80"},
                              {&form.Ed_NumOut, "40"},
                              {&form.Ed_NumInpCycl, "16"},
                              {&form.Ed_InpCycl, "20"},
                              {&form.Ed_NumOutCycl, "2"},
                              {&form.Ed_OutCycl, "50"}})
        Type(*edit, text);
    SweepThousand(state, form, Field::NumInp, 1);
}
BENCHMARK(BM_SweepUnsettledInputs)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
