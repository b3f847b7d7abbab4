#include "fileio/FileIo.h"

#include "fileio/FileTexts.h"
#include "text/Strings.h"

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#include <system_error>
#include <utility>

namespace qntcalc::fileio {
namespace {

std::string Reason(int error) {
    return text::SystemError(error);
}

Result WriteFailed(const std::string& path, int error) {
    return {Result::Failure::Unwritable, path, Reason(error)};
}

// Closes on scope exit; Release() hands the descriptor back for a checked close.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    int Release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

std::string DirectoryOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// As many links as the system itself follows before it gives up.
constexpr int kMostLinks = 40;

// Where a chain of symbolic links ends, also when that is no file yet (a
// dangling link is written where it points, never replaced); the path
// itself when it is no link. Empty for a chain that loops.
std::string ResolveLink(const std::string& path) {
    std::string at = path;
    for (int hop = 0; hop < kMostLinks; ++hop) {
        struct stat st {};
        if (::lstat(at.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return at;
        std::string target(static_cast<size_t>(std::max<off_t>(st.st_size, 0)) + 1, '\0');
        const ssize_t got = ::readlink(at.c_str(), target.data(), target.size());
        if (got < 0 || static_cast<size_t>(got) >= target.size())
            return at;
        target.resize(static_cast<size_t>(got));
        at = target.starts_with('/') ? target : DirectoryOf(at) + "/" + target;
    }
    return {};
}

bool WriteAll(int fd, std::string_view data, WriteFunction write) {
    while (!data.empty()) {
        const ssize_t written = write(fd, data.data(), data.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            if (written == 0)
                errno = EIO;
            return false;
        }
        data.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

// The writer's pid in the name of a temporary file that the writer makes
// for some target ("<target>.tmp<pid>-<counter>"), or 0 when the name is
// no such file.
pid_t TempOwner(std::string_view name) {
    const size_t tmp = name.rfind(".tmp");
    if (tmp == 0 || tmp == std::string_view::npos)
        return 0;
    name.remove_prefix(tmp + 4);
    const size_t dash = name.find('-');
    if (dash == 0 || dash == std::string_view::npos || dash + 1 == name.size())
        return 0;
    int64_t pid = 0;
    for (size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        if (i == dash)
            continue;
        if (c < '0' || c > '9')
            return 0;
        if (i < dash && (pid = pid * 10 + (c - '0')) > 0x3fffffff)
            return 0;
    }
    return static_cast<pid_t>(pid);
}

// A write killed between creating its temporary file and renaming it leaves
// that file behind. The next write into the same folder removes those whose
// writer is gone, whichever file they were for; a live writer's file, or one
// whose writer cannot be told, stays.
void RemoveStaleTemporaries(const std::string& target) {
    DIR* dir = ::opendir(DirectoryOf(target).c_str());
    if (dir == nullptr)
        return;
    const pid_t self = ::getpid();
    while (const dirent* entry = ::readdir(dir)) {
        const pid_t owner = TempOwner(entry->d_name);
        if (owner <= 0 || owner == self || ::kill(owner, 0) == 0 || errno != ESRCH)
            continue;
        struct stat st {};
        if (::fstatat(::dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(st.st_mode))
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}

// Best effort: makes the rename itself durable where the file system allows.
void SyncDirectory(const std::string& dir) {
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

Result ReadWholeFile(const std::string& path, size_t maxSize, std::string& bytes) {
    bytes.clear();
    const auto fail = [&](Result::Failure failure, std::string reason) {
        bytes.clear();
        return Result{failure, path, std::move(reason)};
    };
    // Non-blocking, so that a FIFO in the file's place cannot hang the open.
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0) {
        const int code = errno;
        return fail(code == ENOENT || code == ENOTDIR ? Result::Failure::Missing
                                                      : Result::Failure::Unreadable,
                    Reason(code));
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        return fail(Result::Failure::Unreadable, Reason(errno));
    if (S_ISDIR(st.st_mode))
        return fail(Result::Failure::Unreadable, Reason(EISDIR));
    if (!S_ISREG(st.st_mode))
        return fail(Result::Failure::Unreadable, std::string(texts::kNotARegularFile));
    const std::string tooLarge =
        text::Format(texts::kLargerThan, {std::to_string(maxSize >> 20)});
    if (static_cast<uint64_t>(st.st_size) > maxSize)
        return fail(Result::Failure::Unreadable, tooLarge);
    bytes.reserve(static_cast<size_t>(st.st_size));
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(fd.get(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return fail(Result::Failure::Unreadable, Reason(errno));
        if (got == 0)
            return {};
        if (bytes.size() + static_cast<size_t>(got) > maxSize)
            return fail(Result::Failure::Unreadable, tooLarge);
        bytes.append(buffer, static_cast<size_t>(got));
    }
}

Result WriteFileAtomically(const std::string& path, std::string_view data, WriteFunction write) {
    if (write == nullptr)
        write = &::write;
    if (Result refused = Replaceable(path); !refused.Ok())
        return refused;
    const std::string target = ResolveLink(path);
    if (target.empty())
        return WriteFailed(path, ELOOP);
    struct stat st {};
    const bool exists = ::stat(target.c_str(), &st) == 0;
    RemoveStaleTemporaries(target);

    // Unique among processes by the pid, within this one by the counter.
    static std::atomic<unsigned> counter{0};
    std::string temp;
    int rawFd = -1;
    for (int attempt = 0; attempt < 100 && rawFd < 0; ++attempt) {
        temp = target + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
        // A new file gets the usual 0666 less the umask; an existing file's
        // mode is copied below.
        rawFd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, exists ? 0600 : 0666);
        if (rawFd < 0 && errno != EEXIST)
            break;
    }
    if (rawFd < 0)
        return WriteFailed(path, errno);
    Descriptor fd(rawFd);

    const auto abandon = [&](int code) {
        ::close(fd.Release());
        ::unlink(temp.c_str());
        return WriteFailed(path, code);
    };
    if (!WriteAll(fd.get(), data, write))
        return abandon(errno);
    if (exists && ::fchmod(fd.get(), st.st_mode & 07777) != 0)
        return abandon(errno);
    if (::fsync(fd.get()) != 0)
        return abandon(errno);
    if (::close(fd.Release()) != 0) {
        const int code = errno;
        ::unlink(temp.c_str());
        return WriteFailed(path, code);
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        const int code = errno;
        ::unlink(temp.c_str());
        return WriteFailed(path, code);
    }
    SyncDirectory(DirectoryOf(target));
    return {};
}

Result Replaceable(const std::string& path) {
    const std::string target = ResolveLink(path);
    if (target.empty())
        return WriteFailed(path, ELOOP);
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0)
        return {};
    // The rename would put a file in the place of a FIFO or a device node.
    if (S_ISDIR(st.st_mode))
        return WriteFailed(path, EISDIR);
    if (!S_ISREG(st.st_mode))
        return {Result::Failure::Unwritable, path, std::string(texts::kNotARegularFile)};
    return {};
}

bool SameFile(const std::string& a, const std::string& b) {
    struct stat first {};
    struct stat second {};
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

std::string DialogFolder(const std::string& projectDir) {
    if (!projectDir.empty())
        return projectDir;
    std::error_code error;
    const std::filesystem::path cwd = std::filesystem::current_path(error);
    return error ? std::string() : cwd.string();
}

Result RenameNoReplace(const std::string& from, const std::string& to) {
#ifdef __EMSCRIPTEN__
    // WebAssembly has neither no-replace renames nor hard links, and no
    // other process writes the files a page or a test sees meanwhile.
    std::error_code error;
    if (std::filesystem::exists(std::filesystem::symlink_status(to, error)))
        return {Result::Failure::NotRenamed, from, text::SystemError(EEXIST)};
    std::filesystem::rename(from, to, error);
    if (!error)
        return {};
    return {Result::Failure::NotRenamed, from, text::SystemError(error.value())};
#else
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return {};
    const int code = errno;
    if (code != EINVAL && code != ENOSYS)
        return {Result::Failure::NotRenamed, from, text::SystemError(code)};
    // A file system without no-replace renames: a hard link fails on an
    // existing name, so the old name is dropped only once the new one holds.
    std::error_code error;
    std::filesystem::create_hard_link(from, to, error);
    if (!error && std::filesystem::remove(from, error))
        return {};
    return {Result::Failure::NotRenamed, from, text::SystemError(error ? error.value() : ENOENT)};
#endif
}

} // namespace qntcalc::fileio
