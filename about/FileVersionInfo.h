#pragma once

#include "base/Result.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The three operations of the Windows version-information interface. On
// Windows they call the system; elsewhere they find a VS_VERSIONINFO block in
// the file's bytes and read it with the same layout rules, so the program
// can carry its version in the binary format whatever it runs on.
//
// A block is a tree of nodes. Each node is wLength (whole node, bytes),
// wValueLength (UTF-16 units for text, bytes otherwise), wType (1 text,
// 0 binary), a NUL-terminated UTF-16LE key, padding to 32 bits, the value,
// padding, then its children. All offsets align relative to the block start.
namespace qntcalc {

using VersionBlock = std::vector<unsigned char>;

// Reads the file's version-information block into `block`: Missing or
// Unreadable when the file cannot be read, Unsuitable when it carries
// none. Elsewhere than on Windows this scans the file once.
Result ReadFileVersionBlock(const std::string& fileName, VersionBlock& block);

// Looks up a value by backslash path, such as "\VarFileInfo\Translation" or
// "\StringFileInfo\040904E4\FileVersion"; "\" is the VS_FIXEDFILEINFO. Keys
// compare case-insensitively, as on Windows. Text comes back as UTF-8, up to
// its NUL.
std::optional<std::string> QueryVersionText(std::span<const unsigned char> block,
                                            std::string_view subBlock);
std::optional<VersionBlock> QueryVersionBytes(std::span<const unsigned char> block,
                                              std::string_view subBlock);

// "040904E4": the name of a string table, language then code page, each as
// four upper-case hex digits.
std::string StringTableName(uint16_t language, uint16_t codePage);

// The first valid VS_VERSIONINFO block in arbitrary bytes: the root key
// "VS_VERSION_INFO" with a VS_FIXEDFILEINFO and a tree whose every length
// stays inside its parent. Anything malformed is skipped, never read past.
std::optional<std::span<const unsigned char>>
FindVersionBlock(std::span<const unsigned char> bytes);

} // namespace qntcalc
