#include "base/Result.h"

#include <string_view>

namespace qntcalc {

namespace {

constexpr std::string_view kCannot = "Cannot ";

std::string_view Verb(Result::Failure failure) {
    using F = Result::Failure;
    switch (failure) {
    case F::None:
    case F::BadArgument:
    case F::Cancelled:
    case F::Unsuitable: // names its own
        break;
    case F::Missing:
    case F::Unreadable:
        return "open";
    case F::KeptUnread:
    case F::Unwritable:
        return "write";
    case F::NotRenamed:
        return "rename";
    case F::NotPutBack:
        return "put back";
    case F::NotTypeable:
        return "type into";
    case F::BadRange:
        return "sweep";
    }
    return {};
}

} // namespace

std::string Result::Message() const {
    std::string text;
    if (failure == Failure::None)
        return text;
    if (failure == Failure::BadArgument || failure == Failure::Cancelled) {
        text = reason;
    } else {
        text = kCannot;
        text.append(failure == Failure::Unsuitable ? std::string_view(verb_) : Verb(failure))
            .append(" \"").append(item).append("\": ").append(reason);
    }
    if (!also_.empty())
        text.append("\n").append(also_);
    return text;
}

void Result::Also(const Result& later) {
    if (later.Ok())
        return;
    if (!also_.empty())
        also_ += '\n';
    also_ += later.Message();
}

} // namespace qntcalc
