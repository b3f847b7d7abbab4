#include "report/CalcReport.h"

#include "report/ReportTexts.h"
#include "text/Strings.h"
#include "whatif/LimitsText.h"
#include "window/FieldTable.h"

#include <algorithm>

namespace qntcalc {

namespace {

using Kind = ReportBlock::Kind;
using Rows = std::vector<std::vector<std::string>>;

void Add(CalcReport& report, Kind kind, std::string text, Rows rows = {}) {
    report.blocks.push_back({kind, std::move(text), std::move(rows)});
}

std::string ModeText(const TMasterForm& f) {
    for (const MenuItem* mode : {&f.Standard, &f.Expert, &f.Baudratemode}) {
        if (mode->Checked())
            return mode->Caption();
    }
    return std::string(texts::kReportNoModeName);
}

void Heading(const TMasterForm& f, const ReportFacts& facts, CalcReport& report) {
    Add(report, Kind::Title, text::Format(texts::kReportTitle, {f.Ed_Project.Text()}));
    Add(report, Kind::Paragraph,
        facts.file ? text::Format(texts::kReportFileLine, {*facts.file})
                   : std::string(texts::kReportNoFile));
    Add(report, Kind::Paragraph,
        text::Format(texts::kReportMadeLine,
                     {facts.madeAt, facts.programName, facts.programVersion}));
    Add(report, Kind::Paragraph, text::Format(texts::kReportModeLine, {ModeText(f)}));
    if (!facts.file)
        return;
    if (facts.sha256)
        Add(report, Kind::Paragraph, text::Format(texts::kReportHashLine, {*facts.sha256}));
    else
        Add(report, Kind::Paragraph,
            std::string(facts.fileUnreadable ? texts::kReportUnreadable : texts::kReportNotSaved));
}

// Spare time above 0, a shortfall below: "+194 ms", "-6 ms".
std::string SignedMs(int64_t ms) {
    return (ms > 0 ? "+" : "") + text::GroupedNumber(ms) + " ms";
}

// What an approver reads first: whether the project meets its
// requirements, each against what it achieves, the settings to configure
// and the status.
void Verdict(const TMasterForm& f, const ReportFacts& facts, CalcReport& report) {
    const Requirements& required = facts.required;
    const bool fails = JudgeState(f, required) != Shortfall::None;
    const bool shown = f.PageControl1.TabVisible(static_cast<int>(Page::Results));
    Add(report, Kind::Heading, std::string(texts::kReportVerdict));
    Add(report, Kind::Paragraph, std::string(fails ? texts::kReportBreaks : texts::kReportMeets));
    report.blocks.back().alert = fails;
    if (!required.timesJudged) {
        Add(report, Kind::Paragraph, RequirementsSentence(required));
    } else if (shown) {
        const CalcState& s = f.State();
        Rows rows{{std::string(texts::kReportRequirementColumn),
                   std::string(texts::kReportRequiredColumn),
                   std::string(texts::kReportAchievedColumn),
                   std::string(texts::kReportMarginColumn)}};
        std::vector<bool> failing{false};
        const auto add = [&](Field field, int32_t achieved, std::optional<int32_t> limit) {
            if (!limit)
                return;
            rows.push_back({FieldLabel(field),
                            text::Format(texts::kReportAtMost, {Milliseconds(*limit)}),
                            Milliseconds(achieved), SignedMs(int64_t{*limit} - achieved)});
            failing.push_back(achieved > *limit);
        };
        add(Field::Rmax, s.Rmax, required.rmaxMs);
        add(Field::ETO, s.ETO, required.etoMs);
        add(Field::CTO, s.CTO, required.ctoMs);
        Add(report, Kind::Table, {}, std::move(rows));
        report.blocks.back().alertRows = std::move(failing);
        report.blocks.back().numericColumns = {false, true, true, true};
    }
    if (shown) {
        Rows settings{{std::string(texts::kReportSettingColumn),
                       std::string(texts::kReportValueColumn),
                       std::string(texts::kReportUnitColumn)}};
        for (Field field : {Field::Baud, Field::RouterCorrRes, Field::ETO, Field::CTO, Field::CVesk}) {
            const EditField& edit = f.EditFor(field);
            if (f.ShowsValue(edit))
                settings.push_back({FieldLabel(field), edit.Text(), FieldUnit(field)});
        }
        Add(report, Kind::Table, {}, std::move(settings));
        report.blocks.back().numericColumns = {false, true, false};
    } else {
        Add(report, Kind::Paragraph, std::string(texts::kReportNoSettings));
    }
    Add(report, Kind::Paragraph,
        text::Format(report.errorStatus ? texts::kReportStatusError : texts::kReportStatusLine,
                     {f.SB_Status.PanelText(1)}));
    report.blocks.back().alert = report.errorStatus;
}

std::string YesNo(bool yes) {
    return std::string(yes ? texts::kReportChecked : texts::kReportUnchecked);
}

// The boxes and lists a page shows, after its fields.
void Choices(const TMasterForm& f, Page page, Rows& rows) {
    const auto ticks = [&f, &rows](std::initializer_list<const CheckBox*> boxes) {
        for (const CheckBox* box : boxes) {
            if (box->Visible() && !box->Caption().empty())
                rows.push_back({box->Caption(), YesNo(box->Checked()), {}});
        }
    };
    const auto radios = [&rows](std::initializer_list<const RadioButton*> buttons) {
        for (const RadioButton* button : buttons) {
            if (button->Visible() && !button->Caption().empty())
                rows.push_back({button->Caption(), YesNo(button->Checked()), {}});
        }
    };
    const auto list = [&rows](const ComboBox& box, std::string_view label) {
        if (box.Visible())
            rows.push_back({std::string(label), box.Text(), {}});
    };
    switch (page) {
    case Page::Network:
        radios({&f.RB_Main, &f.RB_Baud});
        // The group hides its boxes with it while the rate is preselected.
        if (f.GB_Structure.Visible())
            ticks({&f.CB_Routers, &f.CB_Repeaters, &f.CB_DropLines});
        break;
    case Page::Devices:
        radios({&f.RB_Vesk1, &f.RB_Vesk3});
        break;
    case Page::Routers:
        list(f.CB_RouterType, texts::kReportRouterType);
        break;
    case Page::Repeaters:
        list(f.CB_RepeaterType, texts::kReportRepeaterType);
        break;
    default:
        break;
    }
}

// Each page the mode shows, with the fields it shows, as the window does.
void Inputs(const TMasterForm& f, CalcReport& report) {
    Add(report, Kind::Heading, std::string(texts::kReportInputs));
    const auto& pages = f.PageControl1.Pages();
    for (int i = 0; i < f.PageControl1.PageCount(); ++i) {
        if (!f.PageControl1.TabVisible(i) || static_cast<Page>(i) == Page::Results)
            continue;
        Rows rows{{std::string(texts::kReportInputColumn), std::string(texts::kReportValueColumn),
                   std::string(texts::kReportUnitColumn)}};
        for (const FieldRow& row : kFieldRows) {
            if (static_cast<int>(row.page) == i && f.ShowsValue(f.EditFor(row.field)))
                rows.push_back({std::string(row.label), f.EditFor(row.field).Text(),
                                std::string(row.unit)});
        }
        Choices(f, static_cast<Page>(i), rows);
        if (rows.size() == 1)
            continue;
        Add(report, Kind::Subheading, pages[static_cast<std::size_t>(i)].caption);
        Add(report, Kind::Table, {}, std::move(rows));
    }
}

void Results(const TMasterForm& f, CalcReport& report) {
    Add(report, Kind::Heading, std::string(texts::kReportResults));
    const bool shown = f.PageControl1.TabVisible(static_cast<int>(Page::Results));
    if (!shown) {
        Add(report, Kind::Paragraph, std::string(texts::kReportResultsHidden));
        return;
    }
    Rows rows{{std::string(texts::kReportResultColumn), std::string(texts::kReportValueColumn),
               std::string(texts::kReportUnitColumn)}};
    for (const FieldRow& row : kFieldRows) {
        if (row.page != Page::Results || !f.EditFor(row.field).Visible())
            continue;
        // The window names the second rate on two lines; one row needs both.
        std::string label(row.label);
        if (row.field == Field::BaudLong)
            label += ' ' + f.Label48.Caption();
        rows.push_back({std::move(label), f.EditFor(row.field).Text(), std::string(row.unit)});
    }
    if (f.CB_CVeskManual.Visible())
        rows.push_back({std::string(texts::kReportCVeskManual), YesNo(f.CB_CVeskManual.Checked()),
                        {}});
    Add(report, Kind::Table, {}, std::move(rows));
    Add(report, Kind::Paragraph, IterationText(f.State().Stable, f.Calc().LastPassCount()));
}

void Checks(const TMasterForm& f, CalcReport& report) {
    Add(report, Kind::Heading, std::string(texts::kReportChecks));
    if (f.LastMessages().empty()) {
        Add(report, Kind::Paragraph, std::string(texts::kReportNoMessages));
    } else {
        Rows rows{{std::string(texts::kReportSeverityColumn),
                   std::string(texts::kReportMessageColumn)}};
        for (const StatusMessage& message : f.LastMessages())
            rows.push_back({std::string(message.severity == Severity::Info
                                            ? texts::kReportSeverityInfo
                                            : texts::kReportSeverityError),
                            std::string(message.text)});
        Add(report, Kind::Table, {}, std::move(rows));
    }
    Add(report, Kind::Paragraph,
        text::Format(report.errorStatus ? texts::kReportStatusError : texts::kReportStatusLine,
                     {f.SB_Status.PanelText(1)}));
    report.blocks.back().alert = report.errorStatus;
}

// The window's Limits tab, row for row and cell for cell.
Rows LimitRows(const std::vector<InputLimit>& limits, const Requirements& required) {
    const LimitsColumns columns = ColumnsFor(limits);
    Rows rows{LimitsHeadings(columns)};
    for (const InputLimit& limit : limits)
        rows.push_back(LimitCells(limit, required, columns));
    return rows;
}

// Each single change that makes a failing project meet, smallest first.
void HowToMeet(const std::vector<InputLimit>& limits, const Requirements& required,
               CalcReport& report) {
    Add(report, Kind::Heading, std::string(texts::kReportHowToMeet));
    if (const std::optional<Closest> closest = ClosestChange(limits)) {
        Add(report, Kind::Paragraph, ClosestSentence(*closest));
        return;
    }
    if (std::none_of(limits.begin(), limits.end(),
                     [](const InputLimit& limit) { return limit.fix.has_value(); })) {
        Add(report, Kind::Paragraph, std::string(texts::kReportNoSingleChange));
        return;
    }
    Add(report, Kind::Paragraph, std::string(texts::kReportHowToMeetIntro));
    for (const InputLimit& limit : limits) {
        if (limit.fix)
            Add(report, Kind::Paragraph, FixSentence(limit, required));
    }
}

Result LimitsAndChart(const TMasterForm& f, const ReportFacts& facts, const ReportProgress& progress,
                      CalcReport& report) {
    Add(report, Kind::Heading, std::string(texts::kReportLimits));
    Add(report, Kind::Paragraph, RequirementsSentence(facts.required));
    if (const std::optional<std::string> kept = KeptSentence(facts.required))
        Add(report, Kind::Paragraph, *kept);
    WhatIf whatIf(f);
    std::vector<InputLimit> limits;
    // Each input is a step, and the chart's sweep the last one.
    const int steps = static_cast<int>(whatIf.EditableInputs().size()) + 1;
    bool stopped = false;
    const auto keepGoing = [&] {
        stopped = stopped || (progress && !progress(static_cast<int>(limits.size()), steps));
        return !stopped;
    };
    if (Result found = FindLimits(whatIf, facts.required, keepGoing, limits); !found.Ok())
        return found;
    if (stopped)
        return Result::Cancelled(std::string(texts::kReportCancelled));
    const bool fails = JudgeState(f, facts.required) != Shortfall::None;
    if (limits.empty()) {
        Add(report, Kind::Paragraph, std::string(texts::kReportNoLimits));
    } else {
        // While the state fails every input fails for its reason: said once.
        if (fails && !limits.front().MeetsNow())
            Add(report, Kind::Paragraph,
                EveryInputFailsSentence(limits.front().headroom, facts.required));
        const LimitsColumns columns = ColumnsFor(limits);
        Add(report, Kind::Table, {}, LimitRows(limits, facts.required));
        ReportBlock& table = report.blocks.back();
        table.lastColumnBelow = true;
        table.alertRows.push_back(false);
        for (const InputLimit& limit : limits)
            table.alertRows.push_back(!limit.MeetsNow());
        for (std::size_t column = 0; column < table.rows.front().size(); ++column)
            table.numericColumns.push_back(NumericLimitColumn(columns, column));
        for (const InputLimit& limit : limits) {
            if (limit.MeetsNow())
                Add(report, Kind::Paragraph, HeadroomSentence(limit.headroom, facts.required));
        }
        if (fails)
            HowToMeet(limits, facts.required, report);
    }
    report.breaksRequirement = FindBrokenRequirement(f.State(), facts.required).has_value();
    Add(report, Kind::Paragraph,
        std::string(report.breaksRequirement || report.errorStatus ? texts::kReportBreaks
                                                                   : texts::kReportMeets));
    report.blocks.back().alert = report.breaksRequirement || report.errorStatus;

    // The chart's input: the one asked for, else the tightest (the smallest
    // fix while the project fails), else Main path.
    Field chosen = Field::Mainpath;
    if (facts.whatIfInput)
        chosen = *facts.whatIfInput;
    else if (!limits.empty())
        chosen = limits.front().input->field;
    report.whatIf.SetRequirements(facts.required);
    report.whatIf.ChooseInput(chosen);
    const auto sweepGoing = [&] {
        stopped = stopped || (progress && !progress(steps - 1, steps));
        return !stopped;
    };
    std::optional<WhatIfAnswer> answer =
        AnswerWhatIf(WindowSnapshot(f), report.whatIf.Request(), sweepGoing);
    if (stopped)
        return Result::Cancelled(std::string(texts::kReportCancelled));
    const WhatIfInput* input = nullptr;
    if (answer && report.whatIf.Accept(std::move(*answer)))
        input = report.whatIf.ShownInput();
    if (!input) {
        Add(report, Kind::Heading, text::Format(texts::kReportWhatIf, {texts::kReportNone}));
        Add(report, Kind::Paragraph, std::string(texts::kReportNoWhatIf));
        return {};
    }
    const WhatIfAnswer& shown = *report.whatIf.Shown();
    Add(report, Kind::Heading, text::Format(texts::kReportWhatIf, {input->subject}));
    Add(report, Kind::Paragraph,
        text::Format(texts::kReportWhatIfRange, {WithUnit(shown.range.from, input->unit),
                                                 WithUnit(shown.range.to, input->unit),
                                                 WithUnit(shown.current, input->unit)}));
    Add(report, Kind::Chart, {});
    Add(report, Kind::Paragraph, report.whatIf.HeadroomText());
    return {};
}

void SignOff(CalcReport& report) {
    Add(report, Kind::Heading, std::string(texts::kReportSignOff));
    Rows lines;
    for (const std::string_view label : texts::kReportSignOffLines)
        lines.push_back({std::string(label)});
    Add(report, Kind::SignOff, {}, std::move(lines));
}

} // namespace

std::string PageLine(const CalcReport& report, int page, int pages) {
    const std::string hash =
        report.sha256 ? text::Format(texts::kReportPageHash,
                                     {report.sha256->substr(0, texts::kReportPageHashDigits)})
                      : std::string(texts::kReportPageNotSaved);
    return text::Format(texts::kReportPageLine, {report.projectName, hash, std::to_string(page),
                                                 std::to_string(pages)});
}

std::string IterationText(bool stable, int passes) {
    if (stable && passes == 1)
        return std::string(texts::kReportStableOnce);
    return text::Format(stable ? texts::kReportStable : texts::kReportUnstable,
                        {std::to_string(passes)});
}

Result MakeReport(const TMasterForm& f, const ReportFacts& facts, CalcReport& report,
                  const ReportProgress& progress) {
    report = CalcReport{};
    report.errorStatus = f.SB_Status.Colour() == StatusColour::Red;
    report.projectName = f.Ed_Project.Text();
    report.sha256 = facts.sha256;
    Heading(f, facts, report);
    Verdict(f, facts, report);
    Inputs(f, report);
    Results(f, report);
    Checks(f, report);
    if (Result made = LimitsAndChart(f, facts, progress, report); !made.Ok())
        return made;
    SignOff(report);
    return {};
}

} // namespace qntcalc
