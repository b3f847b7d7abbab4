#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>
#include <unistd.h>

namespace qntcalc {

// A fresh directory per test, removed with everything in it.
class TempDir {
public:
    TempDir() {
        static int counter = 0;
        path_ = std::filesystem::temp_directory_path() /
                ("qntcalc_about_" + std::to_string(getpid()) + "_" + std::to_string(counter++));
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string Path(const std::string& name) const { return (path_ / name).string(); }

    // `bytes` at `offset` in a file of `size` bytes (at least offset plus the
    // bytes), filler elsewhere.
    std::string Write(const std::string& name, std::span<const unsigned char> bytes,
                      size_t offset = 0, size_t size = 0) const {
        std::string content(std::max(size, offset + bytes.size()), 'x');
        std::copy(bytes.begin(), bytes.end(), content.begin() + static_cast<long>(offset));
        std::ofstream(Path(name), std::ios::binary) << content;
        return Path(name);
    }

private:
    std::filesystem::path path_;
};

} // namespace qntcalc
