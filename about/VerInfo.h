#pragma once

#include "ui/Globals.h"

#include <array>
#include <string>
#include <string_view>

namespace qntcalc {

// The ten texts of a file's version information, in index order.
inline constexpr std::array<std::string_view, 10> VerInfoKeys = {
    "CompanyName",     "FileDescription",  "FileVersion", "InternalName",   "LegalCopyright",
    "LegalTrademarks", "OriginalFilename", "ProductName", "ProductVersion", "Comments",
};

// The version texts of one file, read once at construction from the string
// table its first translation names. It never fails and never reports:
// whatever cannot be read stays empty.
class VerInfo {
public:
    static constexpr int kFileVersion = 2;
    static constexpr int kProductName = 7;

    // A file name that does not exist reads the program's own executable.
    explicit VerInfo(const std::string& fileName);

    // Any index outside 0 to 9 gives the FileVersion text.
    std::string GetInfo(int index) const;

private:
    std::array<std::string, VerInfoKeys.size()> texts_;
};

// The file the program runs from: /proc/self/exe on Linux.
std::string OwnExecutableFileName();

// What start-up stores in the process-wide ProgramVersion and ProgramName:
// FileVersion and ProductName of the program's own executable, both empty
// when it carries no version information.
struct ProgramVersion {
    std::string version;
    std::string name;
};
ProgramVersion ReadProgramVersion();

// Reads it into ProgramVersion and ProgramName, which the print sheet shows,
// every project file and report records and --version prints: what the
// About box's construction publishes, for a program that builds the box
// only when it is first shown, and for the tools without one.
void PublishProgramVersion(Globals& globals);

} // namespace qntcalc
