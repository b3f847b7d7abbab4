#include "fileio/IniFile.h"

#include "engine/Int32.h"
#include "fileio/FileTexts.h"
#include "text/Strings.h"
#include "text/TextEncoding.h"

#include <unordered_set>
#include <utility>

namespace qntcalc {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

enum class LineKind { Other, Section, Key };

// One line of the text: [begin, end) without its LF, next is where the
// following line starts. A section line is "[name]" with anything after the
// bracket ignored; a key line is "name=value"; comments start with ';' or '#'.
struct Line {
    size_t begin = 0;
    size_t end = 0;
    size_t next = 0;
    LineKind kind = LineKind::Other;
    std::string_view name;
    std::string_view value;
};

Line ParseLine(std::string_view text, size_t begin) {
    Line line;
    if (begin < text.size() && text[begin] == '\n') {
        // Blank lines by the million are a file's cheapest padding.
        line.begin = line.end = begin;
        line.next = begin + 1;
        return line;
    }
    const size_t lf = text.find('\n', begin);
    line.begin = begin;
    line.end = lf == std::string_view::npos ? text.size() : lf;
    line.next = lf == std::string_view::npos ? text.size() : lf + 1;
    const std::string_view content = Trim(text.substr(begin, line.end - begin));
    if (content.empty() || content.front() == ';' || content.front() == '#')
        return line;
    if (content.front() == '[') {
        const size_t close = content.find(']');
        if (close != std::string_view::npos) {
            line.kind = LineKind::Section;
            line.name = Trim(content.substr(1, close - 1));
        }
        return line;
    }
    const size_t equals = content.find('=');
    if (equals == std::string_view::npos || Trim(content.substr(0, equals)).empty())
        return line;
    line.kind = LineKind::Key;
    line.name = Trim(content.substr(0, equals));
    line.value = Trim(content.substr(equals + 1));
    return line;
}

bool IsQuoted(std::string_view value) {
    return value.size() >= 2 && value.front() == '"' && value.back() == '"';
}

std::string DecodeValue(std::string_view stored) {
    if (IsQuoted(stored))
        stored = stored.substr(1, stored.size() - 2);
    return std::string(stored);
}

// Quotes exactly the values that the reader's trimming or unquoting would
// change; a line break becomes a blank so a value never makes a new line.
std::string EncodeValue(std::string_view value) {
    const std::string utf8 = text::ToUtf8(value);
    std::string out;
    out.reserve(utf8.size() + 2);
    for (size_t i = 0; i < utf8.size(); ++i) {
        if (utf8[i] == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n')
            continue;
        out += utf8[i] == '\r' || utf8[i] == '\n' ? ' ' : utf8[i];
    }
    if (!out.empty() && (IsBlank(out.front()) || IsBlank(out.back()) || IsQuoted(out)))
        out = '"' + out + '"';
    return out;
}

bool HasLineBreak(std::string_view s) {
    return s.find_first_of("\r\n") != std::string_view::npos;
}

bool IsTrimmedName(std::string_view s) {
    return !s.empty() && Trim(s).size() == s.size() && !HasLineBreak(s) && text::IsValidUtf8(s);
}

bool IsValidSection(std::string_view s) {
    return IsTrimmedName(s) && s.find(']') == std::string_view::npos;
}

bool IsValidKey(std::string_view s) {
    return IsTrimmedName(s) && s.find('=') == std::string_view::npos && s.front() != '[' &&
           s.front() != ';' && s.front() != '#';
}

std::string IndexKey(std::string_view section, std::string_view key) {
    std::string out = text::AsciiLowered(section);
    out += '\n';
    out += text::AsciiLowered(key);
    return out;
}

} // namespace

Result IniFile::Open(std::string path, std::optional<IniFile>& file, Mode mode) {
    file.reset();
    std::string bytes;
    Result read = fileio::ReadWholeFile(path, kMostProjectBytes, bytes);
    if (read.Ok() || read.failure == Result::Failure::Missing)
        file.emplace(IniFile(std::move(path), mode, bytes));
    return read;
}

Result IniFile::OpenToWrite(std::string path, std::optional<IniFile>& file) {
    Result opened = Open(path, file);
    if (opened.failure == Result::Failure::Missing)
        return {};
    if (!opened.Ok())
        return {Result::Failure::KeptUnread, std::move(path), std::move(opened.reason)};
    return opened;
}

IniFile::IniFile(IniFile&& other) noexcept
    : path_(std::move(other.path_)), mode_(other.mode_), text_(std::move(other.text_)),
      batchDepth_(other.batchDepth_), dirty_(other.dirty_), write_(other.write_),
      index_(std::move(other.index_)) {
    other.dirty_ = false;
    other.index_.reset();
}

IniFile::IniFile(std::string path, Mode mode, std::string_view bytes)
    : path_(std::move(path)), mode_(mode), text_(text::DecodeFileText(bytes)) {
    if (!text_.empty() && text_.back() != '\n')
        text_ += '\n';
}

IniFile IniFile::FromBytes(std::string_view bytes, std::string path) {
    return IniFile(std::move(path), Mode::Detached, bytes);
}

IniFile::~IniFile() {
    if (mode_ != Mode::WriteThrough || !dirty_)
        return;
    try {
        static_cast<void>(Flush());
    } catch (...) {
        // Nothing can be reported from here; the file keeps its old content.
    }
}

const IniFile::Index& IniFile::Indexed() const {
    if (index_)
        return *index_;
    Index index;
    Span* body = nullptr; // of the section being read, if it is one that counts
    std::string section;
    for (size_t pos = 0; pos < text_.size();) {
        const Line line = ParseLine(text_, pos);
        if (line.kind == LineKind::Section) {
            if (body)
                body->end = pos;
            section = text::AsciiLowered(line.name);
            const auto [at, first] = index.sections.try_emplace(section, Span{line.next, 0});
            body = first ? &at->second : nullptr;
            if (first)
                index.keysEnd[section] = line.next;
        } else if (line.kind == LineKind::Key && body) {
            index.keys.try_emplace(IndexKey(section, line.name), Span{line.begin, line.next});
            index.keysEnd[section] = line.next;
        }
        pos = line.next;
    }
    if (body)
        body->end = text_.size();
    index_ = std::move(index);
    return *index_;
}

void IniFile::Reindex(size_t at, size_t oldLength, size_t length) {
    if (!index_)
        return;
    const auto shift = [&](size_t& pos) { pos = pos - oldLength + length; };
    // A key line that ends where the new one goes stays as it is; a section
    // (or its keys) that ends there takes the new line in.
    const auto shiftEnd = [&](size_t& end) {
        if (end >= at)
            shift(end);
    };
    for (auto& [name, body] : index_->sections) {
        if (body.begin > at)
            shift(body.begin);
        shiftEnd(body.end);
    }
    for (auto& [name, end] : index_->keysEnd)
        shiftEnd(end);
    for (auto& [name, line] : index_->keys) {
        if (line.begin > at) {
            shift(line.begin);
            shift(line.end);
        }
    }
}

std::optional<IniFile::Span> IniFile::FindSection(std::string_view section) const {
    const Index& index = Indexed();
    const auto found = index.sections.find(text::AsciiLowered(section));
    if (found == index.sections.end())
        return std::nullopt;
    return found->second;
}

std::optional<IniFile::Span> IniFile::FindKey(std::string_view section,
                                              std::string_view key) const {
    const Index& index = Indexed();
    const auto found = index.keys.find(IndexKey(section, key));
    if (found == index.keys.end())
        return std::nullopt;
    return found->second;
}

std::optional<IniFile::Span> IniFile::FindKey(Span body, std::string_view key) const {
    for (size_t pos = body.begin; pos < body.end;) {
        const Line line = ParseLine(text_, pos);
        if (line.kind == LineKind::Key && text::SameName(line.name, key))
            return Span{line.begin, line.next};
        pos = line.next;
    }
    return std::nullopt;
}

std::optional<std::string> IniFile::Lookup(std::string_view section, std::string_view key) const {
    const auto found = FindKey(section, key);
    if (!found)
        return std::nullopt;
    return DecodeValue(ParseLine(text_, found->begin).value);
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view fallback) const {
    return Lookup(section, key).value_or(std::string(fallback));
}

int32_t IniFile::ReadInteger(std::string_view section, std::string_view key,
                             int32_t fallback) const {
    const auto value = Lookup(section, key);
    return value ? i32::ParseOr(*value, fallback) : fallback;
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool fallback) const {
    const auto value = Lookup(section, key);
    if (!value)
        return fallback;
    // Two different fallbacks agree only when the text is a whole number.
    const int32_t number = i32::ParseOr(*value, 0);
    if (number != i32::ParseOr(*value, 1))
        return fallback;
    return number != 0;
}

bool IniFile::ValueExists(std::string_view section, std::string_view key) const {
    return FindKey(section, key).has_value();
}

Result IniFile::WriteString(std::string_view section, std::string_view key,
                            std::string_view value) {
    if (Result names = CheckNames(section, key); !names.Ok())
        return names;
    const std::string encoded = EncodeValue(value);
    const auto body = FindSection(section);
    const std::string lowered = text::AsciiLowered(section);
    if (!body) {
        text_.append("[").append(section).append("]\n");
        const size_t begin = text_.size();
        text_.append(key).append("=").append(encoded).append("\n");
        if (index_) {
            index_->sections[lowered] = Span{begin, text_.size()};
            index_->keysEnd[lowered] = text_.size();
            index_->keys[IndexKey(section, key)] = Span{begin, text_.size()};
        }
        return Changed();
    }
    if (const auto found = FindKey(section, key)) {
        // The key keeps its place and its spelling in the file.
        std::string line(ParseLine(text_, found->begin).name);
        line.append("=").append(encoded).append("\n");
        const size_t length = found->end - found->begin;
        if (text_.compare(found->begin, length, line) == 0)
            return Changed(false);
        text_.replace(found->begin, length, line);
        Reindex(found->begin, length, line.size());
        if (index_)
            index_->keys[IndexKey(section, key)] = Span{found->begin, found->begin + line.size()};
        return Changed();
    }
    // A new key follows the section's last key, ahead of any blank lines or
    // comments that lead to the next section.
    const size_t insertAt = Indexed().keysEnd.at(lowered);
    const std::string line = std::string(key).append("=").append(encoded).append("\n");
    text_.insert(insertAt, line);
    Reindex(insertAt, 0, line.size());
    index_->keys[IndexKey(section, key)] = Span{insertAt, insertAt + line.size()};
    return Changed();
}

Result IniFile::WriteInteger(std::string_view section, std::string_view key, int32_t value) {
    return WriteString(section, key, i32::ToText(value));
}

Result IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    return WriteString(section, key, value ? "1" : "0");
}

Result IniFile::DeleteKey(std::string_view section, std::string_view key) {
    const auto body = FindSection(section);
    if (!body)
        return Changed(false);
    bool modified = false;
    Span rest = *body;
    index_.reset(); // rare: built anew when next needed
    while (const auto found = FindKey(rest, key)) {
        const size_t length = found->end - found->begin;
        text_.erase(found->begin, length);
        rest = Span{found->begin, rest.end - length};
        modified = true;
    }
    return Changed(modified);
}

std::vector<std::string> IniFile::Sections() const {
    std::vector<std::string> names;
    std::unordered_set<std::string> seen;
    for (size_t pos = 0; pos < text_.size();) {
        const Line line = ParseLine(text_, pos);
        pos = line.next;
        if (line.kind == LineKind::Section && seen.insert(text::AsciiLowered(line.name)).second)
            names.emplace_back(line.name);
    }
    return names;
}

std::vector<std::string> IniFile::Keys(std::string_view section) const {
    std::vector<std::string> names;
    const auto body = FindSection(section);
    if (!body)
        return names;
    std::unordered_set<std::string> seen;
    for (size_t pos = body->begin; pos < body->end;) {
        const Line line = ParseLine(text_, pos);
        pos = line.next;
        if (line.kind == LineKind::Key && seen.insert(text::AsciiLowered(line.name)).second)
            names.emplace_back(line.name);
    }
    return names;
}

Result IniFile::EndUpdate() {
    if (batchDepth_ > 0)
        --batchDepth_;
    return Changed(false);
}

Result IniFile::CheckNames(std::string_view section, std::string_view key) const {
    const auto invalid = [this](std::string_view what, std::string_view name) {
        return Result{Result::Failure::Unwritable, path_,
                      std::string(what) + '"' + std::string(name) + '"'};
    };
    if (!IsValidSection(section))
        return invalid(texts::kInvalidSection, section);
    if (!IsValidKey(key))
        return invalid(texts::kInvalidKey, key);
    return {};
}

// A change that has not reached the file yet (a failed earlier write) is
// retried with the next write.
Result IniFile::Changed(bool modified) {
    dirty_ = dirty_ || modified;
    if (mode_ == Mode::Detached || batchDepth_ > 0)
        return {};
    return Flush();
}

Result IniFile::Flush() {
    if (!dirty_)
        return {};
    Result written = fileio::WriteFileAtomically(path_, text_, write_);
    if (written.Ok())
        dirty_ = false;
    return written;
}

} // namespace qntcalc
