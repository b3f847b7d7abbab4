#include "fileio/FileIo.h"
#include "fileio/IniFile.h"
#include "tests/support/IniFiles.h"
#include "tests/support/TempDir.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <functional>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <tuple>
#include <unistd.h>

#include <gtest/gtest.h>

namespace qntcalc {
namespace {

using Names = std::vector<std::string>;

constexpr std::string_view kOld = "; old content\r\n[Settings]\r\nProject=old\r\n";

bool Contains(const std::string& text, std::string_view part) {
    return text.find(part) != std::string::npos;
}

struct BadFileRow {
    const char* name;
    std::function<std::string()> bytes;
    std::string project; // Settings/Project as read, "none" when missing
};

void PrintTo(const BadFileRow& row, std::ostream* os) {
    *os << row.name;
}

class BadFileTest : public TempDirTest, public testing::WithParamInterface<BadFileRow> {};

TEST_P(BadFileTest, ReadsAndTakesAWrite) {
    WriteBytes("bad.ini", GetParam().bytes());
    {
        std::optional<IniFile> opened;
        const Result read = IniFile::Open(Path("bad.ini"), opened);
        EXPECT_TRUE(read.Ok()) << read.Message();
        ASSERT_TRUE(opened);
        IniFile& ini = *opened;
        EXPECT_EQ(ini.ReadString("Settings", "Project", "none"), GetParam().project);
        for (const std::string& section : ini.Sections()) {
            for (const std::string& key : ini.Keys(section))
                EXPECT_TRUE(ini.ValueExists(section, key)) << section << "/" << key;
        }
        const Result written = ini.WriteString("Settings", "Mainpath", "300");
        EXPECT_TRUE(written.Ok()) << written.Message();
    }
    const IniFile ini = OpenIni(Path("bad.ini"));
    EXPECT_EQ(ini.ReadString("Settings", "Project", "none"), GetParam().project);
    EXPECT_EQ(ini.ReadString("Settings", "Mainpath", ""), "300");
}

const std::string kSettings = "\n[Settings]\nProject=found\n";

INSTANTIATE_TEST_SUITE_P(
    Files, BadFileTest,
    testing::Values(
        BadFileRow{"Empty", [] { return std::string(); }, "none"},
        BadFileRow{"Binary", [] { return RandomBytes(1 << 16) + kSettings; }, "found"},
        BadFileRow{"NulBytes",
                   [] { return std::string("[Settings]\nPro\0ject=x\nProject=a\0b\n", 34); },
                   std::string("a\0b", 3)},
        BadFileRow{"LongLine3MB", [] { return std::string(3 << 20, 'x') + kSettings; }, "found"},
        BadFileRow{"LongValue3MB",
                   [] { return "[Settings]\nProject=" + std::string(3 << 20, 'v'); },
                   std::string(3 << 20, 'v')},
        BadFileRow{"OnlyBrackets", [] { return std::string(1 << 20, '['); }, "none"},
        BadFileRow{"OnlyNewlines", [] { return std::string(1 << 20, '\n'); }, "none"},
        BadFileRow{"OnlyCarriageReturns", [] { return std::string(1 << 20, '\r'); }, "none"},
        BadFileRow{"LinesWithoutEquals", [] { return "[Settings]\nProject\nMainpath 1\n"; },
                   "none"},
        BadFileRow{"EmptyKeyName", [] { return "[Settings]\n=x\n  = y\n"; }, "none"},
        BadFileRow{"KeysBeforeAnySection", [] { return "Project=outside\n"; }, "none"},
        BadFileRow{"TextBeforeFirstSection",
                   [] { return "Project=outside\nnoise\n[Settings]\nProject=inside\n"; }, "inside"},
        BadFileRow{"UnclosedSection", [] { return "[Settings\nProject=x\n"; }, "none"},
        BadFileRow{"TextAfterHeader", [] { return "  [ Settings ] ; note\nProject=x\n"; }, "x"}),
    [](const testing::TestParamInfo<BadFileRow>& info) { return info.param.name; });

class IniFileFaultTest : public TempDirTest {};

TEST_F(IniFileFaultTest, HundredMegabyteFileReadsInLinearTime) {
    // Beyond what a file may hold, so handed over as bytes.
    std::string bytes;
    std::string block = "[Huge]\n";
    for (int i = 0; i < 10000; ++i)
        block += "Key" + std::to_string(i) + "=a value in a very large hand-made file\n";
    while (bytes.size() < (size_t{100} << 20))
        bytes += block;
    bytes += "[Settings]\nProject=found\n";
    const auto start = std::chrono::steady_clock::now();
    IniFile ini = IniFile::FromBytes(bytes);
    EXPECT_EQ(ini.ReadString("Settings", "Project", ""), "found");
    EXPECT_EQ(ini.ReadString("HUGE", "Key9999", ""), "a value in a very large hand-made file");
    EXPECT_TRUE(ini.WriteString("Settings", "Mainpath", "300").Ok());
    EXPECT_EQ(ini.ReadString("Settings", "Mainpath", ""), "300");
    // Generous even for a sanitizer build; a quadratic scan takes hours.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(60));
}

TEST_F(IniFileFaultTest, FileAboveTheSizeLimitIsKept) {
    const std::pair<off_t, bool> rows[] = {
        {off_t{300} << 20, false}, {(off_t{4} << 20) + 1, false}, {off_t{4} << 20, true}};
    for (auto [size, read] : rows) {
        WriteBytes("big.ini", "[Settings]\nProject=x\n");
        ASSERT_EQ(::truncate(Path("big.ini").c_str(), size), 0); // sparse, takes no disk space
        std::optional<IniFile> ini;
        const Result opened = IniFile::Open(Path("big.ini"), ini);
        EXPECT_EQ(opened.Ok(), read) << size;
        if (read)
            continue;
        EXPECT_EQ(opened.failure, Result::Failure::Unreadable);
        EXPECT_EQ(opened.reason, "Larger than 4 MiB");
        EXPECT_FALSE(ini);
        EXPECT_EQ(IniFile::OpenToWrite(Path("big.ini"), ini).Message(),
                  "Cannot write \"" + Path("big.ini") + "\": Larger than 4 MiB");
        EXPECT_FALSE(ini);
        EXPECT_EQ(std::filesystem::file_size(Path("big.ini")), static_cast<uintmax_t>(size));
    }
}

TEST_F(IniFileFaultTest, MissingDirectoryIsReported) {
    std::optional<IniFile> opened;
    EXPECT_EQ(IniFile::Open(Path("missing/a.ini"), opened).failure, Result::Failure::Missing);
    ASSERT_TRUE(opened);
    const Result written = opened->WriteString("Settings", "Project", "x");
    EXPECT_FALSE(written.Ok());
    EXPECT_TRUE(Contains(written.Message(), Path("missing/a.ini"))) << written.Message();
    EXPECT_TRUE(Contains(written.Message(), "No such file or directory")) << written.Message();
    EXPECT_TRUE(Entries().empty());
}

TEST_F(IniFileFaultTest, ReadOnlyDirectoryKeepsTheOldFile) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only directories";
    WriteBytes("a.ini", kOld);
    std::filesystem::permissions(dir_, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::owner_exec);
    IniFile ini = OpenIni(Path("a.ini"));
    const Result written = ini.WriteString("Settings", "Project", "new");
    EXPECT_FALSE(written.Ok());
    EXPECT_TRUE(Contains(written.Message(), "Permission denied")) << written.Message();
    EXPECT_EQ(ReadBytes("a.ini"), kOld);
}

TEST_F(IniFileFaultTest, UnreadableFileIsNeverOverwritten) {
    std::filesystem::create_directory(Path("dir.ini"));
    ASSERT_EQ(::mkfifo(Path("fifo.ini").c_str(), 0644), 0);
    std::filesystem::create_symlink("fifo.ini", Path("link.ini"));
    for (const auto& [name, reason] :
         {std::pair{"dir.ini", "Is a directory"}, std::pair{"fifo.ini", "Not a regular file"},
          std::pair{"link.ini", "Not a regular file"}}) {
        std::optional<IniFile> ini;
        const Result opened = IniFile::Open(Path(name), ini);
        EXPECT_FALSE(opened.Ok()) << name;
        EXPECT_EQ(opened.failure, Result::Failure::Unreadable) << name;
        EXPECT_EQ(opened.reason, reason);
        EXPECT_EQ(opened.item, Path(name));
        const Result written = IniFile::OpenToWrite(Path(name), ini);
        EXPECT_FALSE(written.Ok()) << name;
        EXPECT_EQ(written.failure, Result::Failure::KeptUnread) << name;
        EXPECT_EQ(written.Message(), "Cannot write \"" + Path(name) + "\": " + reason);
        EXPECT_FALSE(ini) << name;
        // Every other output goes through the writer, which keeps the rule too.
        const Result replaced = fileio::WriteFileAtomically(Path(name), "%PDF");
        EXPECT_EQ(replaced.failure, Result::Failure::Unwritable) << name;
        EXPECT_EQ(replaced.Message(), "Cannot write \"" + Path(name) + "\": " + reason);
    }
    EXPECT_TRUE(std::filesystem::is_directory(Path("dir.ini")));
    EXPECT_TRUE(std::filesystem::is_fifo(Path("fifo.ini")));
    EXPECT_TRUE(std::filesystem::is_symlink(Path("link.ini")));
    EXPECT_EQ(Entries(), (Names{"dir.ini", "fifo.ini", "link.ini"}));
}

TEST_F(IniFileFaultTest, SameFileIsOneDeviceAndInode) {
    WriteBytes("a.ini", kOld);
    WriteBytes("copy.ini", kOld);
    std::filesystem::create_hard_link(Path("a.ini"), Path("hard.ini"));
    std::filesystem::create_symlink("a.ini", Path("soft.ini"));
    std::filesystem::create_directory(Path("sub"));
    const std::tuple<std::string, std::string, bool> rows[] = {
        {Path("a.ini"), Path("a.ini"), true},     {Path("sub/../a.ini"), Path("a.ini"), true},
        {Path("hard.ini"), Path("a.ini"), true},  {Path("a.ini"), Path("soft.ini"), true},
        {Path("copy.ini"), Path("a.ini"), false}, {Path("a.pdf"), Path("a.ini"), false},
        {Path("a.pdf"), Path("a.pdf"), false},
    };
    for (const auto& [a, b, same] : rows)
        EXPECT_EQ(fileio::SameFile(a, b), same) << a << " " << b;
}

ssize_t NoSpace(int, const void*, size_t) {
    errno = ENOSPC;
    return -1;
}

ssize_t HalfThenNoSpace(int fd, const void* data, size_t size) {
    if (size > 1)
        return ::write(fd, data, size / 2);
    return NoSpace(fd, data, size);
}

ssize_t ToDevFull(int, const void* data, size_t size) {
    const int full = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
    const ssize_t written = ::write(full, data, size);
    const int error = errno;
    ::close(full);
    errno = error;
    return written;
}

struct DiskFullRow {
    const char* name;
    fileio::WriteFunction write;
};

void PrintTo(const DiskFullRow& row, std::ostream* os) {
    *os << row.name;
}

class DiskFullTest : public TempDirTest, public testing::WithParamInterface<DiskFullRow> {};

TEST_P(DiskFullTest, KeepsTheOldFileAndRetriesWithTheNextWrite) {
    WriteBytes("a.ini", kOld);
    IniFile ini = OpenIni(Path("a.ini"));
    ini.SetWriteFunctionForTesting(GetParam().write);
    const Result failed = ini.WriteString("Settings", "Project", "new");
    EXPECT_FALSE(failed.Ok());
    EXPECT_EQ(failed.failure, Result::Failure::Unwritable);
    EXPECT_TRUE(Contains(failed.Message(), Path("a.ini"))) << failed.Message();
    EXPECT_TRUE(Contains(failed.Message(), "No space left on device")) << failed.Message();
    EXPECT_EQ(ReadBytes("a.ini"), kOld);
    EXPECT_EQ(Entries(), Names{"a.ini"});

    ini.SetWriteFunctionForTesting(nullptr);
    EXPECT_TRUE(ini.WriteString("Settings", "Mainpath", "300").Ok());
    EXPECT_EQ(ReadBytes("a.ini"), "; old content\n[Settings]\nProject=new\nMainpath=300\n");
}

INSTANTIATE_TEST_SUITE_P(Writes, DiskFullTest,
                         testing::Values(DiskFullRow{"NoSpace", &NoSpace},
                                         DiskFullRow{"HalfThenNoSpace", &HalfThenNoSpace},
                                         DiskFullRow{"DevFull", &ToDevFull}),
                         [](const testing::TestParamInfo<DiskFullRow>& info) {
                             return info.param.name;
                         });

TEST_F(IniFileFaultTest, KeepsPermissionsAndSymbolicLinks) {
    WriteBytes("real.ini", kOld);
    std::filesystem::permissions(Path("real.ini"), std::filesystem::perms(0640));
    std::filesystem::create_symlink(Path("real.ini"), Path("link.ini"));
    IniFile ini = OpenIni(Path("link.ini"));
    const Result written = ini.WriteString("Settings", "Project", "new");
    ASSERT_TRUE(written.Ok()) << written.Message();
    EXPECT_TRUE(std::filesystem::is_symlink(Path("link.ini")));
    EXPECT_EQ(ReadBytes("real.ini"), "; old content\n[Settings]\nProject=new\n");
    EXPECT_EQ(std::filesystem::status(Path("real.ini")).permissions(),
              std::filesystem::perms(0640));

    // A dangling link is written where it points, through a chain of two.
    std::filesystem::create_directory(Path("sub"));
    std::filesystem::create_symlink("sub/hop.ini", Path("dangling.ini"));
    std::filesystem::create_symlink("nowhere.ini", Path("sub/hop.ini"));
    IniFile dangling = OpenIni(Path("dangling.ini"));
    ASSERT_TRUE(dangling.WriteString("Settings", "Project", "made").Ok());
    EXPECT_TRUE(std::filesystem::is_symlink(Path("dangling.ini")));
    EXPECT_TRUE(std::filesystem::is_symlink(Path("sub/hop.ini")));
    EXPECT_EQ(ReadBytes("sub/nowhere.ini"), "[Settings]\nProject=made\n");

    // A chain that loops is refused, and stays as it was.
    std::filesystem::create_symlink("loop-b.ini", Path("loop-a.ini"));
    std::filesystem::create_symlink("loop-a.ini", Path("loop-b.ini"));
    EXPECT_EQ(fileio::WriteFileAtomically(Path("loop-a.ini"), "x").failure,
              Result::Failure::Unwritable);
    EXPECT_TRUE(std::filesystem::is_symlink(Path("loop-a.ini")));
}

int g_writeCalls = 0;

ssize_t CountingWrite(int fd, const void* data, size_t size) {
    ++g_writeCalls;
    return ::write(fd, data, size);
}

TEST_F(IniFileFaultTest, BatchWritesOnceAtItsEnd) {
    g_writeCalls = 0;
    IniFile ini = OpenIni(Path("a.ini"));
    ini.SetWriteFunctionForTesting(&CountingWrite);
    {
        IniFile::Batch outer(ini);
        {
            IniFile::Batch inner(ini);
            EXPECT_TRUE(ini.WriteString("Settings", "Project", "p").Ok());
        }
        EXPECT_TRUE(ini.WriteString("Settings", "Mainpath", "100").Ok());
        EXPECT_TRUE(ini.DeleteKey("Settings", "Project").Ok());
        EXPECT_FALSE(Exists("a.ini"));
    }
    EXPECT_EQ(g_writeCalls, 1);
    EXPECT_EQ(ReadBytes("a.ini"), "[Settings]\nMainpath=100\n");
}

TEST_F(IniFileFaultTest, FailedBatchIsReportedByEndUpdate) {
    WriteBytes("a.ini", kOld);
    IniFile ini = OpenIni(Path("a.ini"));
    ini.SetWriteFunctionForTesting(&NoSpace);
    ini.BeginUpdate();
    EXPECT_TRUE(ini.WriteString("Settings", "Project", "new").Ok());
    const Result ended = ini.EndUpdate();
    EXPECT_FALSE(ended.Ok());
    EXPECT_EQ(ended.failure, Result::Failure::Unwritable);
    EXPECT_EQ(ReadBytes("a.ini"), kOld);
}

TEST_F(IniFileFaultTest, DetachedFileNeverTouchesTheDisk) {
    WriteBytes("a.ini", kOld);
    {
        IniFile ini = OpenIni(Path("a.ini"), IniFile::Mode::Detached);
        EXPECT_TRUE(ini.WriteString("Settings", "Project", "new").Ok());
        EXPECT_TRUE(ini.DeleteKey("Settings", "Project").Ok());
        EXPECT_TRUE(ini.WriteString("Mode", "Expert", "1").Ok());
        EXPECT_EQ(ini.Content(), "; old content\n[Settings]\n[Mode]\nExpert=1\n");
        IniFile missing = OpenIni(Path("b.ini"), IniFile::Mode::Detached);
        EXPECT_TRUE(missing.WriteString("Settings", "Project", "new").Ok());
    }
    EXPECT_EQ(ReadBytes("a.ini"), kOld);
    EXPECT_EQ(Entries(), Names{"a.ini"});
}

// A write killed at any moment leaves the file whole: old or new content.
TEST_F(IniFileFaultTest, KillDuringWritesLeavesOldOrNewFile) {
    const std::string a(1 << 18, 'a');
    const std::string b(1 << 18, 'b');
    {
        IniFile ini = OpenIni(Path("a.ini"));
        ASSERT_TRUE(ini.WriteString("S", "K", a).Ok());
    }
    for (int round = 1; round <= 5; ++round) {
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(ready[0]);
            IniFile ini = OpenIni(Path("a.ini"));
            for (int i = 0;; ++i) {
                static_cast<void>(ini.WriteString("S", "K", i % 2 ? a : b));
                if (::write(ready[1], "x", 1) != 1)
                    ::_exit(1);
            }
        }
        ::close(ready[1]);
        char done = 0;
        for (int i = 0; i < round && ::read(ready[0], &done, 1) == 1; ++i) {
        }
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        ::close(ready[0]);
        const std::string content = ReadBytes("a.ini");
        EXPECT_TRUE(content == "[S]\nK=" + a + "\n" || content == "[S]\nK=" + b + "\n")
            << "round " << round << ", " << content.size() << " bytes";
    }
    // Whatever temporary files the killed writers left, the next write clears.
    IniFile ini = OpenIni(Path("a.ini"));
    ASSERT_TRUE(ini.WriteString("S", "K", "c").Ok());
    EXPECT_EQ(Entries(), Names{"a.ini"});
}

// Of any file in the folder: ten killed reports leave nothing behind once
// something is written there again.
TEST_F(IniFileFaultTest, NextWriteRemovesOnlyTemporariesOfGoneWriters) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0)
        ::_exit(0);
    ASSERT_EQ(::waitpid(child, nullptr, 0), child);
    const std::string gone = std::to_string(child);
    const std::string self = std::to_string(::getpid());
    const Names kept{"a.ini.tmp" + gone + "-0.x", "a.ini.tmp" + gone + "x-0", "a.ini.tmp1-0",
                     "a.ini.tmp" + self + "-99", ".tmp" + gone + "-0"};
    for (const std::string& name : kept)
        WriteBytes(name, "half");
    WriteBytes("a.ini.tmp" + gone + "-0", "half");
    WriteBytes("report.pdf.tmp" + gone + "-5", "half");
    WriteBytes("a.ini.tmp" + gone + "-17", "half");
    std::filesystem::create_directory(Path("a.ini.tmp" + gone + "-3"));

    IniFile ini = OpenIni(Path("a.ini"));
    ASSERT_TRUE(ini.WriteString("S", "K", "v").Ok());
    Names expected = kept;
    expected.push_back("a.ini");
    expected.push_back("a.ini.tmp" + gone + "-3");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Entries(), expected);
}

} // namespace
} // namespace qntcalc
