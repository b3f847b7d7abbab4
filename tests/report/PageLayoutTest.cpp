#include "report/PageLayout.h"

#include <gtest/gtest.h>

namespace qntcalc {
namespace {

using K = ReportBlock::Kind;

CalcReport Of(std::initializer_list<K> kinds) {
    CalcReport report;
    for (K kind : kinds) {
        ReportBlock& block = report.blocks.emplace_back();
        block.kind = kind;
    }
    return report;
}

TEST(PageLayoutTest, HeadingsStayWithWhatTheyLeadTo) {
    struct Row {
        const char* name;
        CalcReport report;
        std::vector<BlockRun> runs;
    };
    for (const Row& row : {
             Row{"HeadingParagraphsTable", Of({K::Heading, K::Paragraph, K::Paragraph, K::Table}),
                 {{0, 4}}},
             Row{"HeadingsInARow", Of({K::Title, K::Heading, K::Subheading, K::Chart}), {{0, 4}}},
             Row{"NextHeadingStartsAnew", Of({K::Heading, K::Paragraph, K::Heading, K::SignOff}),
                 {{0, 2}, {2, 4}}},
             Row{"HeadingAsTheLastBlock", Of({K::Table, K::Heading}), {{0, 1}, {1, 2}}},
             Row{"OnlyOneBlockAfterTheParagraphs", Of({K::Heading, K::Table, K::Table}),
                 {{0, 2}, {2, 3}}},
             Row{"NoHeading", Of({K::Paragraph, K::Table}), {{0, 1}, {1, 2}}},
         })
        EXPECT_EQ(KeptTogether(row.report), row.runs) << row.name;
}

TEST(PageLayoutTest, EachRunWholeOnAPageWhereItFits) {
    struct Row {
        const char* name;
        std::vector<RunSize> sizes;
        std::vector<PlacedRun> placed;
        int pages;
    };
    constexpr double kBody = 100;
    for (const Row& row : {
             Row{"ExactFitAtTheFoot", {{60}, {40}}, {{0, 0, 0}, {1, 0, 60}}, 1},
             Row{"OnePixelPastTheFoot", {{60}, {41}}, {{0, 0, 0}, {1, 1, 0}}, 2},
             Row{"ABodyHighRunFillsItsPage", {{100}, {1}}, {{0, 0, 0}, {1, 1, 0}}, 2},
             Row{"TallerAtTheTop", {{101, 2}, {10}}, {{0, 0, 0, 0}, {0, 1, 0, 1}, {1, 2, 0}}, 3},
             Row{"TallerFurtherDown",
                 {{30}, {101, 2}},
                 {{0, 0, 0}, {1, 1, 0, 0}, {1, 2, 0, 1}},
                 3},
             Row{"Nothing", {}, {}, 1},
         }) {
        const PagePlan plan = PlaceRuns(row.sizes, kBody);
        EXPECT_EQ(plan.placed, row.placed) << row.name;
        EXPECT_EQ(plan.pages, row.pages) << row.name;
    }
}

} // namespace
} // namespace qntcalc
