#pragma once

#include <string>
#include <utility>

namespace qntcalc {

// The one way the Qt-free layers report a failure: what failed, on which
// file, and why, in words for the user. Whatever can fail returns a Result
// and hands any value back through a parameter; nothing throws, and no
// object keeps a failure to be asked for later. Every failure reads
//   Cannot <open|read|write> "<path>": <reason>
// except a refused command-line argument, which names no file and reads as
// its reason alone.
struct [[nodiscard]] Result {
    enum class Failure {
        None,
        Missing,     // Cannot open: nothing at the path, or a path through a non-directory
        Unreadable,  // Cannot open: something there that cannot be read
        NotAProject, // Cannot open: read, but it holds no project
        KeptUnread,  // Cannot read: a file that could not be read is never written over
        Unwritable,  // Cannot write: the old file, if there was one, is left as it was
        BadArgument, // a command-line argument that cannot be used
    };

    Failure failure = Failure::None;
    std::string path;
    std::string reason;

    bool Ok() const { return failure == Failure::None; }
    // One line for the user.
    std::string Message() const;

    static Result BadArgument(std::string reason) {
        return {Failure::BadArgument, {}, std::move(reason)};
    }
};

} // namespace qntcalc
