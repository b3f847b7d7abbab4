#pragma once

#include <string>
#include <utility>

namespace qntcalc {

// The one way the Qt-free layers report a failure: what failed, on which
// item (a file, an input), and why, in words for the user. Whatever can fail
// returns a Result and hands any value back through a parameter; nothing
// throws across a layer, and no object keeps a failure to be asked for
// later. std::optional stays for what is absent or cancelled. Every failure
// reads
//   Cannot <verb> "<item>": <reason>
// except a refused command-line argument, which names no item and reads as
// its reason alone.
struct [[nodiscard]] Result {
    enum class Failure {
        None,
        Missing,       // Cannot open: nothing at the path, or a path through a non-directory
        Unreadable,    // Cannot open: something there that cannot be read
        KeptUnread,    // Cannot write: a file that could not be read is never written over
        Unwritable,    // Cannot write: the old file, if there was one, is left as it was
        NotRenamed,    // Cannot rename: the file keeps its name
        NotPutBack,    // Cannot put back: a backup could not take its old name again
        NotTypeable,   // Cannot type into: the input cannot be typed into now
        BadRange,      // Cannot sweep: the values asked for cannot be gone through
        // Cannot <verb>: read, but not what the layer that asked can use (a
        // file without a project, a window state of another kind); the
        // verb is that layer's.
        Unsuitable,
        BadArgument,   // a command-line argument that cannot be used
        Cancelled,     // the user stopped it: nothing was made; reads as its reason
    };

    Result() = default;
    Result(Failure failure, std::string item, std::string reason)
        : failure(failure), item(std::move(item)), reason(std::move(reason)) {}

    Failure failure = Failure::None;
    std::string item;
    std::string reason;

    bool Ok() const { return failure == Failure::None; }
    // One line for the user, and one for each failure that followed.
    std::string Message() const;
    // Reports `later`, a failure on the way back from this one, with it.
    void Also(const Result& later);

    static Result BadArgument(std::string reason) {
        return {Failure::BadArgument, {}, std::move(reason)};
    }
    static Result Cancelled(std::string reason) {
        return {Failure::Cancelled, {}, std::move(reason)};
    }
    static Result Unsuitable(std::string verb, std::string item, std::string reason) {
        Result result{Failure::Unsuitable, std::move(item), std::move(reason)};
        result.verb_ = std::move(verb);
        return result;
    }

private:
    std::string verb_; // of an Unsuitable failure
    // The messages of failures that followed this one, a line each.
    std::string also_;
};

} // namespace qntcalc
