#include "project/LoadedProject.h"

#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

namespace qntcalc {
namespace {

using LoadedProjectTest = TempDirTest;

// Loaded from bytes read before, the project is those bytes, whatever the
// file holds by now: what is hashed of them names what is shown.
TEST_F(LoadedProjectTest, BytesReadBeforeCountNotTheFileNow) {
    const std::string project = "[Settings]\nProject=read\nMainpath=900\n";
    const std::string foreign = "[Database]\nhost=db.example\n";
    struct Row {
        const char* name;
        std::optional<std::string> onDisk;
        std::string bytes;
        std::string message; // empty when the project loads
    };
    const Row rows[] = {
        {"Replaced", "[Settings]\nProject=new\nMainpath=100\n", project, ""},
        {"RemovedSince", std::nullopt, project, ""},
        {"ReadNoProject", project, foreign,
         "Cannot open \"" + Path("p.ini") +
             "\": Not a project file; it has no [Settings] section with a project key"},
    };
    for (const Row& row : rows) {
        std::filesystem::remove(Path("p.ini"));
        if (row.onDisk)
            WriteBytes("p.ini", *row.onDisk);
        LoadedProject project(Globals{});
        const Result loaded = project.Load(Path("p.ini"), row.bytes);
        EXPECT_EQ(loaded.Message(), row.message) << row.name;
        if (!row.message.empty())
            continue;
        EXPECT_EQ(project.Form().Ed_Project.Text(), "read") << row.name;
        EXPECT_EQ(project.Form().Ed_Mainpath.Text(), "900") << row.name;
        EXPECT_EQ(ReadBytes("p.ini"), row.onDisk.value_or("")) << row.name;
    }
}

} // namespace
} // namespace qntcalc
