#include "cli/CliOptions.h"

#include "cli/CliTexts.h"
#include "cli/SetKeys.h"
#include "cli/WhatIfOptions.h"
#include "text/Strings.h"
#include "whatif/RequirementOptions.h"

namespace qntcalc::cli {

namespace {

// "--name=value" or "--name value"; advances i past a separate value.
Result TakeValue(const std::vector<std::string>& args, std::size_t& i, std::string_view name,
                 std::string& value) {
    const std::string& arg = args[i];
    if (arg.size() > name.size() && arg.compare(0, name.size(), name) == 0 &&
        arg[name.size()] == '=') {
        value = arg.substr(name.size() + 1);
        return {};
    }
    if (i + 1 >= args.size())
        return Result::BadArgument(text::Format(texts::kNeedsValue, {name}));
    value = args[++i];
    return {};
}

bool Is(const std::string& arg, std::string_view name) {
    return arg == name || (arg.size() > name.size() && arg.compare(0, name.size(), name) == 0 &&
                           arg[name.size()] == '=');
}

} // namespace

std::string UsageText() {
    return "Usage: qntcalc-cli [options] [FILE...]\n"
           "\n"
           "Evaluates QntCalc project files (or, without FILE, a new project) exactly as the\n"
           "QntCalc program does, and reports the recommended timing. Files are never changed.\n"
           "\n"
           "Options:\n"
           "  --mode standard|expert|baud  switch the operating mode after reading; each further\n"
           "                               --mode switches in its place among the --set changes\n"
           "  --set KEY=VALUE              change an input as a user would (repeatable, in "
           "order);\n"
           "                               KEY: Project; an input below; a box or button (1 or\n"
           "                               0): CBRouters, CBRepeaters, CBDropLines, CVeskManual,\n"
           "                               RB_Main, RB_Baud, Vesk1, Vesk3; RouterType or\n"
           "                               RepeaterType (a name of their list); each only while\n"
           "                               the window lets a user change it at that point\n"
           "  --save OUT                   write the resulting project to OUT: a new file, the FILE\n"
           "                               read, or an empty one; never a file that holds no\n"
           "                               project, and another project file only with --force\n"
           "  --force                      let --save replace another project file\n"
           "  --json                       one JSON object per project, one per line\n"
           "  --require-rmax MS            fail when the worst case reaction time exceeds MS ms;\n"
           "                               MS of every --require-* is a whole number, 1 or more\n"
           "  --require-eto MS, --require-cto MS, --keep KEY[,KEY...]\n"
           "                               with --save: the project's ETO and CTO maxima and\n"
           "                               the inputs it keeps as they are (see What-if)\n"
           "  --csv                        with --sweep: comma-separated values with a header row\n"
           "  --version                    print the program's version\n"
           "  --help                       print this help\n"
           "  --                           every argument after it is a FILE\n"
           "\n"
           "Exit status: 0 all projects sound, 1 a project ends with an error status or above\n"
           "--require-rmax, 2 bad arguments (an option given twice), a file that is unreadable\n"
           "or no project, a --set of a key that cannot be set at that point (with the keys\n"
           "that can) or of a value its check refuses, or a --save refused; nothing is saved\n"
           "then.\n" +
           WhatIfUsageText();
}

Result ParseArguments(const std::vector<std::string>& args, Options& options) {
    options = Options();
    bool filesOnly = false;
    // Every option once but --set and --mode, which apply in their order:
    // a second value would silently win over the first.
    std::vector<std::string> given;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        std::string value;
        if (!filesOnly && arg.size() > 1 && arg[0] == '-' && arg != "--") {
            std::string name = arg.substr(0, arg.find('='));
            if (name == "-h")
                name = "--help";
            if (name != "--set" && name != "--mode") {
                if (Result once = TakeOnce(given, name); !once.Ok())
                    return once;
            }
        }
        if (filesOnly || arg.empty() || arg[0] != '-' || arg == "-") {
            options.files.push_back(arg);
        } else if (arg == "--") {
            filesOnly = true;
        } else if (arg == "--force") {
            options.force = true;
        } else if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else if (arg == "--json") {
            options.json = true;
        } else if (arg == "--csv") {
            options.csv = true;
        } else if (arg == "--limits") {
            options.limits = true;
        } else if (Is(arg, "--mode")) {
            if (Result taken = TakeValue(args, i, "--mode", value); !taken.Ok())
                return taken;
            if (value != "standard" && value != "expert" && value != "baud")
                return Result::BadArgument(text::Format(texts::kModeWanted, {value}));
            if (options.mode)
                options.laterModes.emplace_back(options.sets.size(), value);
            else
                options.mode = value;
        } else if (Is(arg, "--set")) {
            if (Result taken = TakeValue(args, i, "--set", value); !taken.Ok())
                return taken;
            const std::size_t eq = value.find('=');
            if (eq == std::string::npos)
                return Result::BadArgument(text::Format(texts::kSetWanted, {value}));
            std::string key = value.substr(0, eq);
            std::string text = value.substr(eq + 1);
            if (Result valid = ValidateSet(key, text); !valid.Ok())
                return valid;
            options.sets.emplace_back(std::move(key), std::move(text));
        } else if (Is(arg, "--save")) {
            if (Result taken = TakeValue(args, i, "--save", value); !taken.Ok())
                return taken;
            if (value.empty())
                return Result::BadArgument(std::string(texts::kSaveWanted));
            options.saveTo = value;
        } else if (const std::string name = arg.substr(0, arg.find('='));
                   IsRequirementOption(name)) {
            if (Result taken = TakeValue(args, i, name, value); !taken.Ok())
                return taken;
            if (Result read = ParseRequirementOption(name, value, options.required); !read.Ok())
                return read;
        } else if (Is(arg, "--sweep") || Is(arg, "--headroom") || Is(arg, "--to")) {
            const std::string name = arg.substr(0, arg.find('='));
            if (Result taken = TakeValue(args, i, name, value); !taken.Ok())
                return taken;
            if (Result parsed = ParseWhatIfOption(name, value, options); !parsed.Ok())
                return parsed;
        } else {
            return Result::BadArgument(text::Format(texts::kUnknownOption, {arg}));
        }
    }
    if (Result combined = CheckWhatIfOptions(options); !combined.Ok())
        return combined;
    if (options.saveTo && options.files.size() > 1)
        return Result::BadArgument("--save takes one project: give at most one FILE");
    if (options.force && !options.saveTo)
        return Result::BadArgument("--force needs --save");
    return {};
}

} // namespace qntcalc::cli
