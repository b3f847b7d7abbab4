#pragma once

#include "base/Result.h"
#include "fileio/FileIo.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qntcalc {

// Project files are a few kB and hand-made ones hardly more; anything of
// megabytes is some other file, refused before it costs time or memory.
inline constexpr std::size_t kMostProjectBytes = std::size_t{4} << 20;

// One INI file: named sections of key=value lines. Section and key names
// match without regard to ASCII letter case, values exactly; when a
// hand-edited file repeats a section or a key, the first one counts for
// reading and is the one a write updates. Lines the writer does not know
// (comments, blank lines, other keys) keep their text and their place.
//
// Files are read as UTF-8 (with or without a byte order mark), UTF-16 with
// its byte order mark or, when not valid UTF-8, as Windows-1252, with CRLF,
// LF or CR line ends; they are written as UTF-8 with LF. Every value without a line break reads back exactly as
// written; a line break in a value is written as one blank.
//
// Opening never creates the file: a missing file opens empty. In
// WriteThrough mode each write or delete has replaced the file
// atomically when it returns, unless a Batch is open, in which case all
// changes go to the file in one atomic step at its end. Detached mode reads
// the file once and keeps every change in memory.
//
// Failures never throw: opening, each write and delete return their Result,
// and the end of a batch the Result of its one write. A file that exists but
// cannot be read opens nothing, so it is never overwritten.
class IniFile {
public:
    enum class Mode { WriteThrough, Detached };

    // Reads the file into `file`. A missing file opens empty and comes back
    // as Missing, for a caller that must tell; a file that cannot be read
    // leaves `file` empty (Unreadable).
    static Result Open(std::string path, std::optional<IniFile>& file,
                       Mode mode = Mode::WriteThrough);
    // Open for writing: a missing file is no failure, and one that cannot be
    // read is KeptUnread.
    static Result OpenToWrite(std::string path, std::optional<IniFile>& file);
    // A detached file with these bytes as content, read as a file would be;
    // `path` names where they were read from.
    static IniFile FromBytes(std::string_view bytes, std::string path = {});
    ~IniFile();
    // The moved-from file has nothing left to write.
    IniFile(IniFile&& other) noexcept;
    IniFile(const IniFile&) = delete;
    IniFile& operator=(const IniFile&) = delete;
    IniFile& operator=(IniFile&&) = delete;

    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view fallback) const;
    int32_t ReadInteger(std::string_view section, std::string_view key, int32_t fallback) const;
    // Any whole number other than 0 is true.
    bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;
    bool ValueExists(std::string_view section, std::string_view key) const;

    // In a batch, only a name that no file can hold fails here.
    Result WriteString(std::string_view section, std::string_view key, std::string_view value);
    Result WriteInteger(std::string_view section, std::string_view key, int32_t value);
    Result WriteBool(std::string_view section, std::string_view key, bool value);
    // Removes every line of the key from its section.
    Result DeleteKey(std::string_view section, std::string_view key);

    // Distinct names in file order; Keys lists the section that reads count.
    std::vector<std::string> Sections() const;
    std::vector<std::string> Keys(std::string_view section) const;

    // Holds the writes of WriteThrough mode in memory until the outermost
    // EndUpdate, which writes the file once and returns how that went.
    void BeginUpdate() { ++batchDepth_; }
    Result EndUpdate();

    // A batch that ends with End(), or, if an exception leaves its scope
    // first, with its destructor, which tries the write and has no one to
    // tell how it went.
    class Batch {
    public:
        explicit Batch(IniFile& ini) : ini_(ini) { ini_.BeginUpdate(); }
        ~Batch() {
            if (ended_)
                return;
            try {
                static_cast<void>(ini_.EndUpdate());
            } catch (...) {
            }
        }
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

        Result End() {
            ended_ = true;
            return ini_.EndUpdate();
        }

    private:
        IniFile& ini_;
        bool ended_ = false;
    };

    const std::string& path() const { return path_; }
    // The text as it is (or would be) written to the file.
    const std::string& Content() const { return text_; }

    void SetWriteFunctionForTesting(fileio::WriteFunction write) { write_ = write; }

private:
    struct Span {
        size_t begin = 0;
        size_t end = 0;
    };

    // Where the sections and keys that count stand, built in one pass over
    // the text when first needed and dropped with every change, so that
    // reading a whole project costs one pass however large the file.
    struct Index {
        std::unordered_map<std::string, Span> sections; // lowered name: body
        // Lowered name: where a new key goes, after the section's last key.
        std::unordered_map<std::string, size_t> keysEnd;
        // Lowered section, a line break, lowered key: the key's line.
        std::unordered_map<std::string, Span> keys;
    };

    IniFile(std::string path, Mode mode, std::string_view bytes);
    const Index& Indexed() const;
    // Keeps the index in step with a line of `length` bytes that replaced
    // the line of oldLength bytes at `at`, or was put in there (oldLength 0).
    void Reindex(size_t at, size_t oldLength, size_t length);
    std::optional<Span> FindSection(std::string_view section) const;
    // The key's line in the section that counts.
    std::optional<Span> FindKey(std::string_view section, std::string_view key) const;
    std::optional<Span> FindKey(Span body, std::string_view key) const;
    std::optional<std::string> Lookup(std::string_view section, std::string_view key) const;
    Result CheckNames(std::string_view section, std::string_view key) const;
    Result Changed(bool modified = true);
    Result Flush();

    std::string path_;
    Mode mode_;
    std::string text_; // UTF-8, LF, ending in LF unless empty
    int batchDepth_ = 0;
    bool dirty_ = false;
    fileio::WriteFunction write_ = nullptr;
    mutable std::optional<Index> index_;
};

} // namespace qntcalc
