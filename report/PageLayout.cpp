#include "report/PageLayout.h"

#include <algorithm>

namespace qntcalc {

namespace {

bool IsHeading(const ReportBlock& block) {
    return block.kind == ReportBlock::Kind::Title || block.kind == ReportBlock::Kind::Heading ||
           block.kind == ReportBlock::Kind::Subheading;
}

} // namespace

std::vector<BlockRun> KeptTogether(const CalcReport& report) {
    std::vector<BlockRun> runs;
    const std::vector<ReportBlock>& blocks = report.blocks;
    for (std::size_t i = 0; i < blocks.size();) {
        const std::size_t first = i;
        if (IsHeading(blocks[i])) {
            while (i < blocks.size() && IsHeading(blocks[i]))
                ++i;
            while (i < blocks.size() && blocks[i].kind == ReportBlock::Kind::Paragraph)
                ++i;
            if (i < blocks.size() && !IsHeading(blocks[i]))
                ++i;
        } else {
            ++i;
        }
        runs.emplace_back(first, std::max(i, first + 1));
    }
    return runs;
}

PagePlan PlaceRuns(std::span<const RunSize> sizes, double body) {
    PagePlan plan;
    int page = 0;
    double y = 0;
    for (std::size_t run = 0; run < sizes.size(); ++run) {
        const RunSize& size = sizes[run];
        if (size.height <= body) {
            if (y > 0 && y + size.height > body) {
                ++page;
                y = 0;
            }
            plan.placed.push_back({run, page, y, -1});
            y += size.height;
            continue;
        }
        if (y > 0)
            ++page;
        for (int slice = 0; slice < size.slices; ++slice)
            plan.placed.push_back({run, page + slice, 0, slice});
        page += size.slices - 1;
        y = body;
    }
    plan.pages = page + 1;
    return plan;
}

} // namespace qntcalc
