#pragma once

#include "project/ProjectTexts.h"

#include <string>
#include <string_view>

namespace qntcalc {

// Cannot <verb> "<path>": <reason>
inline std::string CannotText(std::string_view verb, std::string_view path,
                              std::string_view reason) {
    std::string text(texts::kCannot);
    text.append(verb).append(" \"").append(path).append("\": ").append(reason);
    return text;
}

// How reading a file went: success, or what failed, on which file and why,
// in words for the user.
struct [[nodiscard]] FileResult {
    enum class Failure {
        None,
        Missing,     // nothing at the path
        Unreadable,  // something there that cannot be read; it is never overwritten
        NotAProject, // read, but it holds no project
    };

    Failure failure = Failure::None;
    std::string path;
    std::string reason;

    bool Ok() const { return failure == Failure::None; }

    // One line, naming the file and the reason.
    std::string Message() const { return CannotText(texts::kOpen, path, reason); }
};

} // namespace qntcalc
