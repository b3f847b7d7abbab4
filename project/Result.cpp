#include "project/Result.h"

#include "project/ProjectTexts.h"

#include <string_view>

namespace qntcalc {

std::string Result::Message() const {
    std::string_view verb;
    switch (failure) {
    case Failure::None:
        return {};
    case Failure::BadArgument:
        return reason;
    case Failure::Missing:
    case Failure::Unreadable:
    case Failure::NotAProject:
        verb = texts::kOpen;
        break;
    case Failure::KeptUnread:
        verb = texts::kRead;
        break;
    case Failure::Unwritable:
        verb = texts::kWrite;
        break;
    }
    std::string text(texts::kCannot);
    text.append(verb).append(" \"").append(path).append("\": ").append(reason);
    return text;
}

} // namespace qntcalc
