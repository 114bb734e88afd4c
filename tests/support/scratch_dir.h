#pragma once
// A scratch folder per test, removed afterwards, and the raw bytes of a file.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "platform/system.h"

namespace quillset::testing {

class ScratchDir {
public:
    ScratchDir() {
        // create_directory is false for a name already taken: never a folder of another run.
        std::random_device seed;
        std::error_code ec;
        const auto base = std::filesystem::temp_directory_path(ec);
        for (int attempt = 0; path_.empty() && attempt < 100; ++attempt) {
            const auto dir = base / ("quillset_test_" + std::to_string(seed()));
            if (std::filesystem::create_directory(dir, ec)) path_ = dir.generic_string();
        }
        EXPECT_FALSE(path_.empty());
    }
    ~ScratchDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::string& Path() const { return path_; }
    std::string Path(const std::string& name) const { return path_ + "/" + name; }
    // Writes `bytes` as they are to `name` in the folder; returns its path.
    std::string Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(platform::FsPath(Path(name)), std::ios::binary) << bytes;
        return Path(name);
    }

private:
    std::string path_;
};

inline std::string FileBytes(const std::string& path) {
    std::ifstream in(platform::FsPath(path), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

}  // namespace quillset::testing
