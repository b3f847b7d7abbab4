#include "about/VersionBlockWriter.h"

#include "text/Utf16.h"

#include <limits>

namespace qntcalc {

namespace {

constexpr uint16_t kBinaryType = 0;
constexpr uint16_t kTextType = 1;

class Writer {
public:
    // Opens a node at the next 32-bit boundary; its children are written
    // before End closes it.
    size_t Begin(std::string_view key, size_t valueLength, uint16_t type) {
        Pad();
        const size_t at = out_.size();
        Put16(0);
        Put16(valueLength);
        Put16(type);
        PutText(key);
        Pad();
        return at;
    }

    void End(size_t at) {
        const size_t length = out_.size() - at;
        fits_ = fits_ && length <= std::numeric_limits<uint16_t>::max();
        out_[at] = static_cast<unsigned char>(length);
        out_[at + 1] = static_cast<unsigned char>(length >> 8);
    }

    void Put16(size_t value) {
        fits_ = fits_ && value <= std::numeric_limits<uint16_t>::max();
        out_.push_back(static_cast<unsigned char>(value));
        out_.push_back(static_cast<unsigned char>(value >> 8));
    }

    void Put32(uint32_t value) {
        Put16(value & 0xFFFF);
        Put16(value >> 16);
    }

    // NUL-terminated UTF-16LE.
    void PutText(std::string_view text) {
        for (char16_t c : utf16::FromUtf8(text))
            Put16(c);
        Put16(0);
    }

    VersionBlock Take() { return fits_ ? std::move(out_) : VersionBlock(); }

private:
    void Pad() {
        while (out_.size() % 4 != 0)
            out_.push_back(0);
    }

    VersionBlock out_;
    bool fits_ = true;
};

uint32_t High(const std::array<uint16_t, 4>& version) {
    return uint32_t{version[0]} << 16 | version[1];
}

uint32_t Low(const std::array<uint16_t, 4>& version) {
    return uint32_t{version[2]} << 16 | version[3];
}

} // namespace

VersionBlock BuildVersionBlock(const VersionBlockContents& contents) {
    Writer w;
    const size_t root = w.Begin("VS_VERSION_INFO", 52, kBinaryType);
    w.Put32(0xFEEF04BD); // VS_FIXEDFILEINFO signature
    w.Put32(0x00010000); // structure version 1.0
    w.Put32(High(contents.fileVersion));
    w.Put32(Low(contents.fileVersion));
    w.Put32(High(contents.productVersion));
    w.Put32(Low(contents.productVersion));
    w.Put32(0x3F);       // file flags mask: all defined flags
    w.Put32(0);          // file flags: a release build
    w.Put32(0x00040004); // VOS_NT_WINDOWS32
    w.Put32(1);          // VFT_APP
    w.Put32(0);          // subtype
    w.Put32(0);          // date, high
    w.Put32(0);          // date, low

    if (!contents.tables.empty()) {
        const size_t fileInfo = w.Begin("StringFileInfo", 0, kTextType);
        for (const VersionStringTable& table : contents.tables) {
            const size_t tableAt = w.Begin(table.name, 0, kTextType);
            for (const auto& [key, text] : table.strings) {
                const size_t entry = w.Begin(key, utf16::FromUtf8(text).size() + 1, kTextType);
                w.PutText(text);
                w.End(entry);
            }
            w.End(tableAt);
        }
        w.End(fileInfo);
    }
    if (!contents.translations.empty()) {
        const size_t varInfo = w.Begin("VarFileInfo", 0, kTextType);
        const size_t var = w.Begin("Translation", 4 * contents.translations.size(), kBinaryType);
        for (const auto& [language, codePage] : contents.translations) {
            w.Put16(language);
            w.Put16(codePage);
        }
        w.End(var);
        w.End(varInfo);
    }
    w.End(root);
    return w.Take();
}

} // namespace qntcalc
