#pragma once

namespace qntcalc {

// What qntcalc-cli and QntCalc --report tell a script when they end: the
// worst of the projects they were given.
enum Exit {
    kSound = 0,     // every project ends informational and meets what was asked
    kFindings = 1,  // an error status or a broken requirement
    kCannotRun = 2, // bad arguments, a project that cannot be read, an output not written
};

} // namespace qntcalc
