#pragma once

#include <string>

namespace qntcalc {

// The process-wide texts. The program creates one instance at start-up and
// hands it by reference to whoever needs it; nothing here is stored in a file.
struct Globals {
    std::string StartDir;    // working directory at start; holds the settings file
    std::string ProjectDir;  // directory of the last opened or saved project, no trailing separator
    std::string ProjectFile; // full path of the current project, the target of Save
    std::string ProgramVersion;
    std::string ProgramName;
};

} // namespace qntcalc
