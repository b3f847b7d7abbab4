#include "cli/ProjectOutput.h"
#include "project/LoadedProject.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>

namespace {

using namespace qntcalc;
using emscripten::val;

// What `qntcalc-cli --json FILE` prints for a project file of these bytes,
// as an object; a file that holds no project gives {error: the reason the
// tool names}. The bytes may be a Uint8Array as well as a string, so an old
// project in Windows-1252 or UTF-16 reads as from the disk.
val ProjectReport(const std::string& file, const std::string& bytes) {
    const Globals program;
    LoadedProject loaded(program);
    const Result read = loaded.Load(file, bytes);
    const nlohmann::ordered_json report =
        read.Ok() ? cli::JsonReport(loaded, file) : nlohmann::ordered_json{{"error", read.Message()}};
    // Through the tool's own text, so that bytes that are no UTF-8 come
    // out as it prints them.
    return val::global("JSON").call<val>("parse", cli::JsonText(report));
}

} // namespace

EMSCRIPTEN_BINDINGS(qntcalc) {
    emscripten::function("projectReport", &ProjectReport);
}
