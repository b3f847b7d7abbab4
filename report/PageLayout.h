#pragma once

#include "report/CalcReport.h"

#include <cstddef>
#include <span>
#include <utility>
#include <vector>

// How the report's blocks fall onto pages, whatever draws them.
namespace qntcalc {

// Blocks [first, second) that share a page: headings stay with what they
// lead to, the paragraphs after them and the table, chart or lines to sign
// those introduce.
using BlockRun = std::pair<std::size_t, std::size_t>;
std::vector<BlockRun> KeptTogether(const CalcReport& report);

// A run's height once laid out; one taller than a page is cut between its
// lines into `slices` pages' worth.
struct RunSize {
    double height = 0;
    int slices = 1;
};

// Where a run goes: its page and how far down, or for a run taller than a
// page, which slice of it fills the page from the top.
struct PlacedRun {
    std::size_t run = 0;
    int page = 0;
    double top = 0;
    int slice = -1; // -1: the whole run
    bool operator==(const PlacedRun&) const = default;
};

struct PagePlan {
    std::vector<PlacedRun> placed;
    int pages = 0;
};

// Each run whole on one page where it fits (`body` high), the next page
// where it would run past the foot; a taller one from the top of a page.
PagePlan PlaceRuns(std::span<const RunSize> sizes, double body);

} // namespace qntcalc
