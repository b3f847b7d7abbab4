#include "report/ReportOptions.h"

#include "report/ReportTexts.h"
#include "text/Strings.h"
#include "whatif/RequirementOptions.h"
#include "whatif/WhatIf.h"

namespace qntcalc {

bool WantsReport(std::span<const std::string> arguments) {
    for (const std::string& argument : arguments) {
        if (argument == "--")
            return false;
        if (argument == "--report" || argument.starts_with("--report="))
            return true;
    }
    return false;
}

// As qntcalc-cli reads its arguments: "--name value" or "--name=value", and
// after "--" only the project.
Result ParseReportArguments(std::span<const std::string> arguments, ReportOptions& options) {
    options = ReportOptions{};
    const auto refuse = [](const std::string& why) {
        return Result::BadArgument(why + "\n" + std::string(texts::kReportUsage));
    };
    bool haveOut = false;
    bool haveProject = false;
    bool projectOnly = false;
    std::vector<std::string> given;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (!projectOnly && argument == "--") {
            projectOnly = true;
            continue;
        }
        if (projectOnly || !argument.starts_with("-") || argument == "-") {
            if (haveProject)
                return refuse(text::Format(texts::kReportTwoProjects, {options.project, argument}));
            options.project = argument;
            haveProject = true;
            continue;
        }
        const std::size_t equals = argument.find('=');
        const std::string name = argument.substr(0, equals);
        if (name != "--report" && name != "--whatif" && !IsRequirementOption(name))
            return refuse(text::Format(texts::kReportUnknownOption, {argument}));
        if (Result once = TakeOnce(given, name); !once.Ok())
            return once;
        std::string value;
        if (equals != std::string::npos)
            value = argument.substr(equals + 1);
        else if (i + 1 < arguments.size())
            value = arguments[++i];
        else
            return refuse(text::Format(texts::kReportNeedsValue, {name}));
        if (name == "--report") {
            options.out = value;
            haveOut = true;
        } else if (name == "--whatif") {
            if (!FindWhatIfInput(value))
                return Result::BadArgument(
                    text::Format(texts::kReportUnknownInput, {value, WhatIfInputKeys()}));
            options.whatIfKey = value;
        } else if (Result read = ParseRequirementOption(name, value, options.required);
                   !read.Ok()) {
            return read;
        }
    }
    if (!haveOut || !haveProject || options.out.empty())
        return Result::BadArgument(std::string(texts::kReportUsage));
    return {};
}

} // namespace qntcalc
