#include "cli/WhatIfOptions.h"

#include "engine/Int32.h"
#include "text/Numbers.h"
#include "whatif/WhatIf.h"

namespace qntcalc::cli {

namespace {

std::optional<int32_t> WholeNumber(std::string_view text) {
    // Two fallbacks tell a real number from an unreadable text.
    const int32_t a = i32::ParseOr(text, 0);
    if (a != i32::ParseOr(text, 1))
        return std::nullopt;
    return a;
}

Result CheckKey(std::string_view option, std::string_view key) {
    if (FindWhatIfInput(key))
        return {};
    return Result::BadArgument(std::string(option) + ": unknown input \"" + std::string(key) +
                               "\"; the inputs are: " + WhatIfInputKeys());
}

Result ParseSweep(std::string_view value, SweepSpec& sweep) {
    const Result usage = Result::BadArgument(
        "--sweep needs KEY=FROM:TO[:STEP] with whole numbers, not \"" + std::string(value) + "\"");
    const std::size_t eq = value.find('=');
    if (eq == std::string_view::npos)
        return usage;
    sweep.key = std::string(value.substr(0, eq));
    if (Result known = CheckKey("--sweep", sweep.key); !known.Ok())
        return known;
    std::string_view range = value.substr(eq + 1);
    const std::size_t colon = range.find(':');
    if (colon == std::string_view::npos)
        return usage;
    const std::string_view rest = range.substr(colon + 1);
    const std::size_t colon2 = rest.find(':');
    const auto from = WholeNumber(range.substr(0, colon));
    const auto to = WholeNumber(rest.substr(0, colon2));
    const auto step = colon2 == std::string_view::npos ? std::optional<int32_t>(1)
                                                       : WholeNumber(rest.substr(colon2 + 1));
    if (!from || !to || !step)
        return usage;
    if (*step < 1)
        return Result::BadArgument(
            "--sweep: STEP must be 1 or more; the range runs downwards when TO is below FROM");
    const int64_t count = SweepValueCount(*from, *to, *step);
    if (count > kMostWhatIfValues)
        return Result::BadArgument(TooManyValues("--sweep", count));
    sweep.from = *from;
    sweep.to = *to;
    sweep.step = *step;
    return {};
}

} // namespace

std::string TooManyValues(std::string_view option, int64_t count) {
    return std::string(option) + ": at most " + text::GroupedNumber(kMostWhatIfValues) +
           " values, not " + text::GroupedNumber(count);
}

Result ParseWhatIfOption(std::string_view name, std::string_view value, Options& options) {
    if (name == "--sweep") {
        SweepSpec sweep;
        if (Result parsed = ParseSweep(value, sweep); !parsed.Ok())
            return parsed;
        options.sweep = sweep;
        return {};
    }
    if (name == "--headroom") {
        if (Result known = CheckKey("--headroom", value); !known.Ok())
            return known;
        options.headroomKey = std::string(value);
        return {};
    }
    const auto number = WholeNumber(value);
    if (!number)
        return Result::BadArgument("--to needs a whole number, not \"" + std::string(value) + "\"");
    options.headroomTo = number;
    return {};
}

Result CheckWhatIfOptions(const Options& options) {
    const auto refuse = [](const char* reason) { return Result::BadArgument(reason); };
    if (options.sweep && options.headroomKey)
        return refuse("--sweep and --headroom cannot be combined");
    if (options.limits && (options.sweep || options.headroomKey))
        return refuse("--limits cannot be combined with --sweep or --headroom");
    if (options.limits && options.headroomTo)
        return refuse("--to needs --headroom; --limits searches each input to its own end");
    // Without a search they only judge (--require-rmax) or are saved.
    if (!options.headroomKey && !options.limits && !options.saveTo) {
        if (options.required.etoMs)
            return refuse("--require-eto needs --headroom, --limits or --save");
        if (options.required.ctoMs)
            return refuse("--require-cto needs --headroom, --limits or --save");
        if (options.required.kept)
            return refuse("--keep needs --limits or --save");
    }
    if (!options.headroomKey && !options.limits && options.headroomTo)
        return refuse("--to needs --headroom");
    if (options.sweep && options.required.Any())
        return refuse(options.required.kept ? "--keep does not apply to --sweep; use --limits"
                                            : "--require-rmax does not apply to --sweep; use "
                                              "--headroom");
    if ((options.sweep || options.headroomKey || options.limits) && options.saveTo)
        return refuse(
            "--save cannot be combined with --sweep, --headroom or --limits, which change nothing");
    if (options.csv && !options.sweep && !options.limits)
        return refuse("--csv needs --sweep or --limits");
    if (options.csv && options.json)
        return refuse("--csv and --json cannot be combined");
    return {};
}

std::string WhatIfUsageText() {
    std::string text =
        "\n"
        "What-if, from the project's state after --mode and --set; each value is typed into a\n"
        "copy of that window, so every row is what QntCalc would show for it:\n"
        "  --sweep KEY=FROM:TO[:STEP]   one row per value of input KEY from FROM to TO (downwards\n"
        "                               when TO < FROM) in steps of STEP (default 1), at most\n"
        "                               " +
        text::GroupedNumber(kMostWhatIfValues) +
        " values: a table, --json one object per\n"
        "                               project (file, project, key, from, to, step and rows:\n"
        "                               per value the members above but file and Project, plus\n"
        "                               value and rejected), or --csv; a value the field's\n"
        "                               check refuses is reported as rejected, not computed\n"
        "  --headroom KEY               how far KEY can move from its current value while every\n"
        "                               value on the way ends informational and stable within the\n"
        "                               requirements; names the first value that fails and why\n"
        "  --limits                     the headroom of every input the project's state lets you\n"
        "                               type into, each searched as --headroom KEY does, and\n"
        "                               while the state fails, the nearest value of each that\n"
        "                               meets: a table, --json one object per project, or --csv\n"
        "The requirements are the project's own: 300 ms until one is saved, no ETO or CTO\n"
        "maximum, no kept input. Each of these replaces its part for the run, and --save\n"
        "writes what the run used:\n"
        "  --require-rmax MS            the required worst case reaction time\n"
        "  --require-eto MS             ETO at most MS ms\n"
        "  --require-cto MS             CTO at most MS ms\n"
        "  --keep KEY[,KEY...]          inputs the design cannot change: --limits gives them\n"
        "                               no fix; empty: none\n"
        "  --to N                       end of the --headroom search (below the current value:\n"
        "                               search downwards); default the input's practical limit;\n"
        "                               at most " +
        text::GroupedNumber(kMostWhatIfValues) +
        " values from the current one\n"
        "With --headroom, --json prints one object: key, direction, current, last (the last\n"
        "value that meets every requirement, or null), next (the first that fails after it, or\n"
        "null), cause (its message or broken requirement), rate (at next) and text.\n"
        "With --limits, --json prints one object per project: file, requirements (rmax, eto,\n"
        "cto in ms, null when not required, and kept, the kept inputs' keys) and limits,\n"
        "one --headroom object per input plus kept (true for a kept input),\n"
        "margin (how far last lies from current, in the input's unit) and marginPercent (of\n"
        "current); both null when the current value fails or the input needs another first,\n"
        "marginPercent also when it is 0; fix (null, or the nearest value that meets: value,\n"
        "change, changePercent, rmax, eto, cto, rate) and needs (null, or the key of the input\n"
        "to fill in first); and closest (null unless no single input meets: key, value, rmax).\n"
        "While the state fails, inputs with a fix come first, by the smallest change in\n"
        "percent; while it meets, the smallest margin in percent, then inputs that meet the\n"
        "requirements up to the end of their search; inputs that need another come last.\n"
        "Example: which single change makes the example project meet 100 ms?\n"
        "  qntcalc-cli examples/assembly-hall.ini --limits --require-rmax 100\n"
        "KEY is an input the project's state lets you type into, with its practical limit:\n";
    for (const WhatIfInput& input : WhatIfInputs()) {
        std::string line = "  " + std::string(FieldName(input.field));
        line.resize(16, ' ');
        line += WithUnit(input.practicalLimit, input.unit);
        if (input.searchDownwards)
            line += " (searched downwards)";
        if (input.field == Field::CVesk)
            line += " (only while entered by hand)";
        if (input.field == Field::MainBaud)
            line += " (only while preselected)";
        if (input.field == Field::RouterCorr)
            line += " (only for the manual router type)";
        text += line + "\n";
    }
    text += "Exit status with --headroom: 0 the current value meets the requirements, 1 it does\n"
            "not; with --limits the same for the project's current state; with --sweep 0. All:\n"
            "2 for bad arguments, an unreadable file, an input that cannot be typed into now or\n"
            "more than " +
            text::GroupedNumber(kMostWhatIfValues) + " values.\n";
    return text;
}

} // namespace qntcalc::cli
