#pragma once

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

namespace qntcalc {

// A fresh directory of its own, removed with everything in it afterwards,
// whatever permissions the test left on it.
class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "qntcalc-test-XXXXXX");
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("no temporary directory for the test");
        dir_ = pattern;
    }

    ~TempDir() {
        std::error_code ignored;
        std::filesystem::permissions(dir_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(dir_, ignored);
    }

    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Dir() const { return dir_; }
    std::string Path(std::string_view name) const { return (dir_ / name).string(); }

    void WriteBytes(std::string_view name, std::string_view bytes) const {
        std::ofstream out(Path(name), std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        ASSERT_TRUE(out.good());
    }

    // `bytes` at `offset` in a file of `size` bytes (at least offset plus the
    // bytes), filler elsewhere; gives the file's path.
    std::string Write(std::string_view name, std::span<const unsigned char> bytes,
                      size_t offset = 0, size_t size = 0) const {
        std::string content(std::max(size, offset + bytes.size()), 'x');
        std::copy(bytes.begin(), bytes.end(), content.begin() + static_cast<long>(offset));
        std::ofstream(Path(name), std::ios::binary) << content;
        return Path(name);
    }

    std::string ReadBytes(std::string_view name) const {
        std::ifstream in(Path(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    bool Exists(std::string_view name) const { return std::filesystem::exists(Path(name)); }

    // Everything in the directory, to see that no temporary file was left.
    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir_))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

protected:
    std::filesystem::path dir_;
};

// Gives each test a temporary directory.
class TempDirTest : public ::testing::Test, public TempDir {};

// The same bytes on every run, so a failure can be repeated.
inline std::string RandomBytes(size_t size) {
    std::mt19937 random(20240601);
    std::string bytes(size, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random());
    return bytes;
}

} // namespace qntcalc
