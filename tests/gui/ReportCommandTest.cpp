#include "report/qt/ReportCommand.h"

#include "project/LoadedProject.h"
#include "report/qt/ReportPdf.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <regex>
#include <string>
#include <vector>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace qntcalc {
namespace {

// Both ways to a report gather its facts here: a hash only of bytes read
// from a named file that the window shows exactly.
TEST(ReportFacts, TheHashOnlyOfBytesTheWindowHolds) {
    const std::string abc = "abc";
    const std::string empty;
    struct Row {
        const char* name;
        std::optional<std::string> file;
        const std::string* bytes;
        bool holds;
        std::optional<std::string> sha256;
        bool unreadable;
    };
    const std::vector<Row> rows{
        {"held", "/p/a.ini", &abc, true,
         "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad", false},
        {"held, empty", "/p/a.ini", &empty, true,
         "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855", false},
        {"not held", "/p/a.ini", &abc, false, std::nullopt, false},
        {"unreadable", "/p/a.ini", nullptr, true, std::nullopt, true},
        {"never saved", std::nullopt, &abc, true, std::nullopt, false},
    };
    Globals program;
    program.ProgramName = "QntCalc";
    program.ProgramVersion = "9.8";
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ReportSource source;
        source.file = row.file;
        source.bytes = row.bytes;
        source.windowHoldsBytes = row.holds;
        source.required = {250, 40, std::nullopt};
        source.whatIfInput = Field::NumIOD;
        const ReportFacts facts = GatherReportFacts(program, source);
        EXPECT_EQ(facts.file, row.file);
        EXPECT_EQ(facts.sha256, row.sha256);
        EXPECT_EQ(facts.fileUnreadable, row.unreadable);
        EXPECT_EQ(facts.programName, "QntCalc");
        EXPECT_EQ(facts.programVersion, "9.8");
        EXPECT_EQ(facts.required.rmaxMs, 250);
        EXPECT_EQ(facts.required.etoMs, 40);
        EXPECT_EQ(facts.whatIfInput, Field::NumIOD);
        EXPECT_TRUE(std::regex_match(facts.madeAt, std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)")))
            << facts.madeAt;
    }
}

using Kind = ReportBlock::Kind;

bool IsHeading(const ReportBlock& block) {
    return block.kind == Kind::Title || block.kind == Kind::Heading ||
           block.kind == Kind::Subheading;
}

// What the user does to a field: focus it, replace its text.
void Type(EditField& edit, const std::string& text) {
    edit.Enter();
    edit.SetText(text);
}

// Laid out, no page of a report ends with a heading, and a heading stands
// on the page of the table or chart its paragraphs lead to. The example meeting 300 ms, an Expert project
// with routers, a repeater and drop lines failing 100 ms, and one whose
// status is an error.
TEST(ReportPages, NoHeadingEndsAPage) {
    struct Row {
        const char* name;
        std::function<void(TMasterForm&)> change;
        int32_t rmaxMs;
    };
    const std::vector<Row> rows{
        {"Example", [](TMasterForm&) {}, 300},
        {"ExpertEverything",
         [](TMasterForm& f) {
             f.Expert.Click();
             for (CheckBox* box : {&f.CB_Routers, &f.CB_Repeaters, &f.CB_DropLines})
                 box->SetChecked(true);
             Type(f.Ed_NumRouters, "2");
             f.CB_RouterType.UserSelect(5);
             Type(f.Ed_LongSeg, "120");
             Type(f.Ed_MDSeg, "60");
             Type(f.Ed_NumRepeater, "1");
             f.CB_RepeaterType.UserSelect(2);
             Type(f.Ed_DropMax, "5");
             Type(f.Ed_DropTot, "20");
         },
         100},
        {"ErrorStatus", [](TMasterForm& f) { Type(f.Ed_NumIOD, "80"); }, 300},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        LoadedProject loaded{Globals{}};
        ASSERT_TRUE(loaded
                        .Load((std::filesystem::path(QNTCALC_SOURCE_DIR) / "examples" /
                               "assembly-hall.ini")
                                  .string())
                        .Ok());
        row.change(loaded.Form());
        ReportFacts facts;
        facts.required = {row.rmaxMs, std::nullopt, std::nullopt};
        CalcReport report;
        ASSERT_TRUE(MakeReport(loaded.Form(), facts, report).Ok());
        // Made off the window's thread, from its snapshot: the same report.
        WindowReportJob job = PrepareWindowReport(loaded.Form(), Globals{}, false, nullptr);
        job.facts = facts;
        CalcReport made;
        ASSERT_TRUE(MakeWindowReport(job, made).Ok());
        ASSERT_EQ(made.blocks.size(), report.blocks.size());
        for (std::size_t block = 0; block < made.blocks.size(); ++block) {
            EXPECT_EQ(made.blocks[block].text, report.blocks[block].text);
            EXPECT_EQ(made.blocks[block].rows, report.blocks[block].rows);
        }
        const auto pages = ReportPageBlocks(report);
        EXPECT_GE(pages.size(), 2u);
        std::vector<std::size_t> all;
        for (std::size_t page = 0; page < pages.size(); ++page) {
            ASSERT_FALSE(pages[page].empty()) << "page " << page + 1;
            EXPECT_FALSE(IsHeading(report.blocks[pages[page].back()]))
                << "page " << page + 1 << " ends with " << report.blocks[pages[page].back()].text;
            all.insert(all.end(), pages[page].begin(), pages[page].end());
        }
        all.erase(std::unique(all.begin(), all.end()), all.end());
        ASSERT_EQ(all.size(), report.blocks.size()) << "every block once, in order";
        std::vector<std::size_t> pageOf(report.blocks.size());
        for (std::size_t page = pages.size(); page-- > 0;) {
            for (std::size_t block : pages[page])
                pageOf[block] = page;
        }
        for (std::size_t h = 0; h < report.blocks.size(); ++h) {
            if (!IsHeading(report.blocks[h]))
                continue;
            std::size_t led = h + 1;
            while (led < report.blocks.size() && report.blocks[led].kind == Kind::Paragraph)
                ++led;
            if (led < report.blocks.size() && !IsHeading(report.blocks[led])) {
                EXPECT_EQ(pageOf[led], pageOf[h]) << report.blocks[h].text;
            }
        }
    }
}

// A table taller than a page goes on over the next pages, each with its
// header row at the top.
TEST(ReportPages, ALongTableRepeatsItsHeader) {
    CalcReport report;
    report.blocks.push_back({Kind::Heading, "Long", {}});
    ReportBlock table{Kind::Table, {}, {{"Heading one", "Heading two"}}};
    for (int row = 1; row <= 150; ++row)
        table.rows.push_back({"Row " + std::to_string(row), std::to_string(row)});
    report.blocks.push_back(table);
    const auto pages = ReportPageBlocks(report);
    ASSERT_GE(pages.size(), 3u);
    QByteArray pdf;
    ASSERT_TRUE(RenderReportPdf(report, QStringLiteral("long"), pdf));
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("long.pdf")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(pdf);
    file.close();
    for (std::size_t page = 1; page <= pages.size(); ++page) {
        QProcess text;
        text.start(QStringLiteral("pdftotext"),
                   {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                    QString::number(page), file.fileName(), QStringLiteral("-")});
        ASSERT_TRUE(text.waitForFinished(30000));
        const QString shown = QString::fromUtf8(text.readAllStandardOutput());
        EXPECT_TRUE(shown.contains(QStringLiteral("Heading one"))) << "page " << page;
        EXPECT_TRUE(shown.contains(QStringLiteral("Row "))) << "page " << page;
    }
}

} // namespace
} // namespace qntcalc
