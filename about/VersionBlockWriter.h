#pragma once

#include "about/FileVersionInfo.h"

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// Builds VS_VERSIONINFO blocks: the build embeds the program's own, and
// tests craft others.
namespace qntcalc {

struct VersionStringTable {
    std::string name;                                         // language and code page, "040904E4"
    std::vector<std::pair<std::string, std::string>> strings; // key, UTF-8 text
};

struct VersionBlockContents {
    std::array<uint16_t, 4> fileVersion{}; // 1.3.2.1 is {1, 3, 2, 1}
    std::array<uint16_t, 4> productVersion{};
    std::vector<VersionStringTable> tables;
    std::vector<std::pair<uint16_t, uint16_t>> translations; // language, code page
};

// Empty when the contents do not fit the 16-bit lengths of the format.
VersionBlock BuildVersionBlock(const VersionBlockContents& contents);

} // namespace qntcalc
