#include "bench/NoBoxes.h"
#include "fileio/IniFile.h"
#include "project/ProjectFile.h"
#include "window/MasterForm.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include <benchmark/benchmark.h>

// Reading a project file must cost one pass over it: a 16 MiB file reads
// into the window in well under a second. Files above 4 MiB are refused
// before they are read at all, so the large ones are handed over as bytes.

namespace {

using namespace qntcalc;

constexpr size_t kSixteenMiB = size_t{16} << 20;

// A project whose Settings section is padded with blank lines between its
// keys: every key lies at the far end of the padding from the last.
std::string PaddedProject(size_t size) {
    const std::string keys[] = {"Project=Padded", "Mainpath=300", "NumVesk=1", "NumInp=64",
                                "NumOut=50",      "CVesk=5",      "LoadFact=5"};
    std::string bytes = "[Mode]\nExpert=1\nStandard=0\n[Settings]\n";
    const size_t gap = size / std::size(keys);
    for (const std::string& key : keys) {
        bytes.append(gap, '\n');
        bytes += key + '\n';
    }
    return bytes;
}

void BM_ReadSixteenMiBOfBlankLines(benchmark::State& state) {
    const std::string bytes = PaddedProject(kSixteenMiB);
    Globals globals;
    NoBoxes boxes;
    TMasterForm form(globals, boxes, boxes, "07.12.2026");
    for (auto _ : state) {
        IniFile ini = IniFile::FromBytes(bytes);
        if (!CheckProject(ini).Ok()) {
            state.SkipWithError("not a project");
            break;
        }
        benchmark::DoNotOptimize(ReadSettingsFromFile(form, ini));
    }
    if (form.Ed_Mainpath.Text() != "300")
        state.SkipWithError("not read");
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ReadSixteenMiBOfBlankLines)->Unit(benchmark::kMillisecond);

// The largest file that is read, from the disk, and one just above it.
void OpenFile(benchmark::State& state, size_t size, bool readable) {
    std::string dir = (std::filesystem::temp_directory_path() / "qntcalc-bench-XXXXXX").string();
    if (::mkdtemp(dir.data()) == nullptr) {
        state.SkipWithError("no temporary directory");
        return;
    }
    const std::string path = dir + "/big.ini";
    {
        std::string bytes = PaddedProject(size);
        bytes.resize(size, '\n');
        std::ofstream(path, std::ios::binary) << bytes;
    }
    for (auto _ : state) {
        std::optional<IniFile> ini;
        if (OpenProject(path, ini, IniFile::Mode::Detached).Ok() != readable) {
            state.SkipWithError("wrong outcome");
            break;
        }
    }
    std::filesystem::remove_all(dir);
}

void BM_OpenFourMiB(benchmark::State& state) {
    OpenFile(state, size_t{4} << 20, true);
}
BENCHMARK(BM_OpenFourMiB)->Unit(benchmark::kMillisecond);

void BM_RefuseSixteenMiB(benchmark::State& state) {
    OpenFile(state, kSixteenMiB, false);
}
BENCHMARK(BM_RefuseSixteenMiB)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
