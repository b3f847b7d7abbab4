#pragma once

#include "base/Result.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <sys/types.h>

// Whole-file reading and crash-safe replacement of a file.
namespace qntcalc::fileio {

// Stands in for ::write, so that tests can let the disk run full.
using WriteFunction = ssize_t (*)(int fd, const void* data, size_t size);

// Reads a regular file of at most maxSize bytes. A path that does not exist
// (or runs through a non-directory) is Missing; anything else that stops the
// read, including a file that is too big or not a regular file, is
// Unreadable.
Result ReadWholeFile(const std::string& path, size_t maxSize, std::string& bytes);

// Replaces the file with data so that a crash, a kill or a full disk at any
// moment leaves either the old or the new content: the data goes to a
// temporary file in the same directory, is flushed to the disk and renamed
// over the target. An existing target keeps its permissions; a symbolic link
// stays a link and its target is replaced, or created where a dangling link
// points. A hard link is split: the name written gets the new content, the
// file's other names keep the old. Only a regular file is replaced: a
// directory, a FIFO or a device node in the target's place fails. On
// failure (Unwritable) the old file is left as it was. Temporary files that
// a killed writer left in the target's folder are removed once their
// process is gone.
Result WriteFileAtomically(const std::string& path, std::string_view data,
                           WriteFunction write = nullptr);

// Whether WriteFileAtomically may replace what stands at path: nothing, or
// a regular file (behind links too). A directory, a FIFO or a device node
// is Unwritable.
Result Replaceable(const std::string& path);

// Whether both paths lead to one existing file (links and hard links
// included), by its device and inode.
bool SameFile(const std::string& a, const std::string& b);

// Renames without ever replacing an existing file of the new name, also
// when another program creates it at the same moment.
Result RenameNoReplace(const std::string& from, const std::string& to);

// The folder a file dialog opens in: the project's folder, else the working
// directory; empty when neither is known.
std::string DialogFolder(const std::string& projectDir);

} // namespace qntcalc::fileio
