#include "whatif/NearestMeeting.h"

#include "engine/Int32.h"
#include "whatif/WhatIfTexts.h"
#include "window/FieldTable.h"

#include <algorithm>

namespace qntcalc {

namespace {

int64_t Distance(int32_t value, int32_t current) {
    return std::abs(int64_t{value} - current);
}

bool Computed(const WhatIfPoint& point) {
    return !point.rejected && !point.statusError && point.state.Stable;
}

// Nearer the current value; at equal distances the smaller value.
bool Nearer(int32_t a, int32_t b, int32_t current) {
    if (Distance(a, current) != Distance(b, current))
        return Distance(a, current) < Distance(b, current);
    return a < b;
}

// Lower worst case reaction time first; then the smaller change, then the
// smaller value.
bool Lower(const WhatIfPoint& a, const WhatIfPoint& b, int32_t current) {
    if (a.state.Rmax != b.state.Rmax)
        return a.state.Rmax < b.state.Rmax;
    return Nearer(a.value, b.value, current);
}

// Inputs where every value above the end of the fix range fails a check
// whatever the other inputs hold, so a search from a hostile value above it
// starts at that end. The main path, segments and preselected rate run out
// of rate steps; over 64 devices or 32 bits a device, or more cyclic than
// there are, is refused; the cycle times from 1,000 ms on are refused; a
// load factor over 100% too; one router's correction past the longest
// stable cycle timeout.
bool NothingMeetsAbove(Field field) {
    switch (field) {
    case Field::Mainpath:
    case Field::LongSeg:
    case Field::MDSeg:
    case Field::MainBaud:
    case Field::NumIOD:
    case Field::NumInp:
    case Field::NumInpCycl:
    case Field::NumOut:
    case Field::NumOutCycl:
    case Field::InpCycl:
    case Field::OutCycl:
    case Field::LoadFact:
    case Field::RouterCorr:
        return true;
    default:
        return false;
    }
}

} // namespace

SweepRange FixRange(const WhatIfInput& input, int32_t current) {
    const SweepRange practical = PracticalRange(input);
    const int64_t lowest = practical.from;
    const int64_t highest = practical.to;
    const int64_t most = kMostWhatIfValues;
    int64_t near = current;
    if (NothingMeetsAbove(input.field))
        near = std::min<int64_t>(current, highest);
    const int64_t from = std::max(std::min<int64_t>(lowest, near), near - most);
    const int64_t to = std::min(std::max<int64_t>(highest, near), near + most);
    return {static_cast<int32_t>(from), static_cast<int32_t>(to)};
}

Result FindFix(WhatIf& whatIf, const WhatIfInput& input, const Requirements& required,
               const std::function<bool()>& keepGoing, FixSearch& search) {
    const int32_t current = whatIf.CurrentValue(input.field);
    search = FixSearch{};
    search.range = FixRange(input, current);
    const int64_t farthest = std::max(int64_t{current} - search.range.from,
                                      int64_t{search.range.to} - current);
    // From a current value outside the range, its nearest end first.
    const int64_t nearest = std::max({int64_t{1}, search.range.from - int64_t{current},
                                      int64_t{current} - search.range.to});
    WhatIfPoint point;
    int64_t typed = 0;
    for (int64_t distance = nearest; distance <= farthest; ++distance) {
        if (typed >= kMostFixValues) {
            const SweepRange whole = search.range;
            search.range = {static_cast<int32_t>(std::max<int64_t>(whole.from, current - distance + 1)),
                            static_cast<int32_t>(std::min<int64_t>(whole.to, current + distance - 1))};
            return {};
        }
        for (const int64_t value : {int64_t{current} - distance, int64_t{current} + distance}) {
            if (value < search.range.from || value > search.range.to)
                continue;
            if (!keepGoing()) {
                search.complete = false;
                return {};
            }
            ++typed;
            if (Result failed = whatIf.Evaluate(input.field, static_cast<int32_t>(value), point);
                !failed.Ok())
                return failed;
            if (Computed(point) &&
                (!search.lowest || Lower(point, *search.lowest, current)))
                search.lowest = point;
            if (Judge(point, required) != Shortfall::None)
                continue;
            Fix fix{point, value - current, std::nullopt};
            if (current != 0)
                fix.changePercent = 100.0 * static_cast<double>(fix.change) /
                                    std::abs(static_cast<double>(current));
            search.fix = std::move(fix);
            return {};
        }
    }
    return {};
}

std::optional<int32_t> FixInSweep(std::span<const WhatIfPoint> points, int32_t current,
                                  const Requirements& required) {
    const auto now = std::find_if(points.begin(), points.end(),
                                  [current](const WhatIfPoint& p) { return p.value == current; });
    if (now == points.end() || Judge(*now, required) == Shortfall::None)
        return std::nullopt;
    std::optional<int32_t> nearest;
    for (const WhatIfPoint& point : points) {
        if (Judge(point, required) != Shortfall::None)
            continue;
        if (!nearest || Nearer(point.value, *nearest, current))
            nearest = point.value;
    }
    return nearest;
}

std::optional<Enabler> EmptyEnabler(const WhatIf& whatIf, Field field) {
    const auto empty = [&whatIf](Field enabled) -> std::optional<Enabler> {
        if (whatIf.CurrentValue(enabled) != 0)
            return std::nullopt;
        return Enabler{std::string(FieldName(enabled)), FindWhatIfInput(enabled)->inSentence,
                       [enabled](TMasterForm& form) {
                           EditField& edit = form.EditFor(enabled);
                           edit.Enter();
                           edit.SetText(i32::ToText(field_limits::kSlowestCycleMs - 1));
                       }};
    };
    const auto unchosen = [&whatIf](ComboBox MasterFormControls::*list,
                                    std::string_view inSentence) -> std::optional<Enabler> {
        if (whatIf.ListChosen(list))
            return std::nullopt;
        // The list's project key is its control's name without "CB_".
        return Enabler{whatIf.ListName(list).substr(3), inSentence,
                       [list](TMasterForm& form) { (form.*list).UserSelect(1); }};
    };
    const WhatIfFacts::Enabler& enabler = RowOf(field).whatIf.enabledBy;
    if (enabler.field)
        return empty(*enabler.field);
    if (enabler.list)
        return unchosen(enabler.list, enabler.inSentence);
    return std::nullopt;
}

} // namespace qntcalc
