#pragma once

#include "project/FileIo.h"
#include "project/FileResult.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qntcalc {

// One INI file: named sections of key=value lines. Section and key names
// match without regard to ASCII letter case, values exactly; when a
// hand-edited file repeats a section or a key, the first one counts for
// reading and is the one a write updates. Lines the writer does not know
// (comments, blank lines, other keys) keep their text and their place.
//
// Files are read as UTF-8 (with or without a byte order mark) or, when not
// valid UTF-8, as Windows-1252, with CRLF or LF line ends; they are written
// as UTF-8 with LF. Every value without a line break reads back exactly as
// written; a line break in a value is written as one blank.
//
// Opening never fails and never creates the file: a missing file reads as
// empty. In WriteThrough mode each write or delete has replaced the file
// atomically when it returns, unless a Batch is open, in which case all
// changes go to the file in one atomic step at its end. Detached mode reads
// the file once and keeps every change in memory.
//
// Failures never throw: each write returns whether it succeeded, and the
// first failure stays readable through ok() and error(). A file that exists
// but cannot be read is never overwritten.
class IniFile {
public:
    enum class Mode { WriteThrough, Detached };

    explicit IniFile(std::string path, Mode mode = Mode::WriteThrough);
    // A detached file with these bytes as content, read as a file would be.
    static IniFile FromBytes(std::string_view bytes);
    ~IniFile();
    IniFile(const IniFile&) = delete;
    IniFile& operator=(const IniFile&) = delete;

    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view fallback) const;
    int32_t ReadInteger(std::string_view section, std::string_view key, int32_t fallback) const;
    // Any whole number other than 0 is true.
    bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;
    bool ValueExists(std::string_view section, std::string_view key) const;

    bool WriteString(std::string_view section, std::string_view key, std::string_view value);
    bool WriteInteger(std::string_view section, std::string_view key, int32_t value);
    bool WriteBool(std::string_view section, std::string_view key, bool value);
    // Removes every line of the key from its section.
    bool DeleteKey(std::string_view section, std::string_view key);

    // Whether two section or key names are the same to this file.
    static bool SameName(std::string_view a, std::string_view b);

    // Distinct names in file order; Keys lists the section that reads count.
    std::vector<std::string> Sections() const;
    std::vector<std::string> Keys(std::string_view section) const;

    // Holds the writes of WriteThrough mode in memory until the outermost
    // EndUpdate, which writes the file once and returns whether that worked.
    void BeginUpdate() { ++batchDepth_; }
    bool EndUpdate();

    class Batch {
    public:
        explicit Batch(IniFile& ini) : ini_(ini) { ini_.BeginUpdate(); }
        // A failure shows in ini.ok(); only running out of memory could throw.
        ~Batch() {
            try {
                ini_.EndUpdate();
            } catch (...) {
            }
        }
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        IniFile& ini_;
    };

    // How reading the file at construction went: Missing reads as empty,
    // Unreadable keeps the file from every write.
    const FileResult& Opened() const { return opened_; }
    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; }
    const std::string& path() const { return path_; }
    // The text as it is (or would be) written to the file.
    const std::string& Content() const { return text_; }

    void SetWriteFunctionForTesting(fileio::WriteFunction write) { write_ = write; }

private:
    struct Span {
        size_t begin = 0;
        size_t end = 0;
    };

    IniFile(std::string path, Mode mode, std::string_view bytes);
    std::optional<Span> FindSection(std::string_view section) const;
    std::optional<Span> FindKey(Span body, std::string_view key) const;
    std::optional<std::string> Lookup(std::string_view section, std::string_view key) const;
    bool CheckNames(std::string_view section, std::string_view key);
    bool Changed(bool modified = true);
    bool Flush();
    bool Fail(std::string message);

    std::string path_;
    Mode mode_;
    std::string text_; // UTF-8, LF, ending in LF unless empty
    int batchDepth_ = 0;
    bool dirty_ = false;
    FileResult opened_;
    std::string error_;
    fileio::WriteFunction write_ = nullptr;
};

} // namespace qntcalc
