#include "fileio/IniFile.h"
#include "text/TextEncoding.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void Require(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

// Any bytes as an INI file: every key found must read in every form, a
// written value must read back, and the text as written must read back as
// the same file.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using qntcalc::IniFile;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    IniFile ini = IniFile::FromBytes(bytes);
    for (const std::string& section : ini.Sections()) {
        for (const std::string& key : ini.Keys(section)) {
            Require(ini.ValueExists(section, key));
            ini.ReadString(section, key, "");
            ini.ReadInteger(section, key, 0);
            ini.ReadBool(section, key, false);
        }
    }

    // The input's first line is as good a value as any.
    const std::string value = qntcalc::text::ToUtf8(bytes.substr(0, bytes.find_first_of("\r\n")));
    Require(ini.WriteString("Settings", "Fuzz", value).Ok());
    Require(ini.ReadString("Settings", "Fuzz", "") == value);

    const IniFile again = IniFile::FromBytes(ini.Content());
    Require(again.Sections() == ini.Sections());
    for (const std::string& section : ini.Sections()) {
        for (const std::string& key : ini.Keys(section))
            Require(again.ReadString(section, key, "") == ini.ReadString(section, key, ""));
    }
    return 0;
}
