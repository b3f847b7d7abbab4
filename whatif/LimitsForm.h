#pragma once

#include "whatif/LimitsText.h"
#include "window/WindowSnapshot.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// The What-if window's Limits tab without a toolkit: the requirements the
// limits are searched against, the overview it shows, and which row stands
// for the charted input. As with WhatIfForm, the search runs wherever the
// program likes and the form takes only the answer to its latest request.
namespace qntcalc {

struct LimitsRequest {
    uint64_t generation = 0;
    Requirements required;
};

struct LimitsAnswer {
    uint64_t generation = 0;
    Requirements required;
    std::vector<InputLimit> limits; // tightest first
};

// On any thread: the limits of every input of the main window. Nothing
// when `keepGoing` stops it or the search is refused.
std::optional<LimitsAnswer> AnswerLimits(const WindowSnapshot& mainWindow,
                                         const LimitsRequest& request,
                                         const std::function<bool()>& keepGoing);

class LimitsForm {
public:
    // Every change of the main window or the requirements starts a new
    // generation.
    uint64_t Generation() const { return generation_; }
    LimitsRequest Request() const { return {generation_, required_}; }
    void Changed(const Requirements& required);
    // False, and nothing changes, for an answer to an older request.
    bool Accept(LimitsAnswer answer);
    // Null before the first answer.
    const LimitsAnswer* Shown() const { return shown_.generation != 0 ? &shown_ : nullptr; }
    // The shown overview answers the latest request.
    bool UpToDate() const { return shown_.generation == generation_; }
    // The runner has waited long for the latest answer: the shown rows are
    // of an older state and must look it.
    void SetUpdating(bool updating) { updating_ = updating; }
    bool Stale() const { return updating_ && !UpToDate(); }
    // What the tab says instead of or over its rows: that the first answer
    // is being computed, "Updating…" while Stale; empty otherwise.
    std::string Note() const;

    // One row per shown input, tightest first, in the columns the shown
    // state needs.
    std::size_t RowCount() const { return shown_.limits.size(); }
    LimitsColumns Columns() const { return ColumnsFor(shown_.limits); }
    std::vector<std::string> Headings() const { return LimitsHeadings(Columns()); }
    Field FieldOf(std::size_t row) const;
    std::vector<std::string> Cells(std::size_t row) const;
    // The row's current value fails: it stands out.
    bool Fails(std::size_t row) const;
    // The values a user may take over into the main window's field, while
    // the shown overview answers the latest request: the nearest meeting
    // value, and the last value that meets on the way out.
    std::optional<int32_t> NearestMeeting(std::size_t row) const;
    std::optional<int32_t> LastMeeting(std::size_t row) const;
    // The project keeps the row's input as it is.
    bool Kept(std::size_t row) const { return Row(row).kept; }

    // The charted input's row is the highlighted one, wherever the order of
    // the next answer puts it; none while no row holds it.
    void SetCharted(std::optional<Field> field) { charted_ = field; }
    std::optional<std::size_t> HighlightedRow() const;

private:
    const InputLimit& Row(std::size_t row) const { return shown_.limits.at(row); }

    uint64_t generation_ = 1;
    Requirements required_;
    LimitsAnswer shown_; // of generation 0 before the first answer
    bool updating_ = false;
    std::optional<Field> charted_;
};

} // namespace qntcalc
