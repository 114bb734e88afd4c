#pragma once
// A scratch folder per test, removed afterwards; the raw bytes of a file; and
// a fixture that hands output lines off from inside a scratch folder, where
// the results file lands when the settings name none.

#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "session.h"
#include "support/fake_host.h"

namespace quillset::exports::testing {

class ScratchDir {
public:
    ScratchDir() {
        char tmpl[] = "/tmp/quillset_exports_XXXXXX";
        if (mkdtemp(tmpl)) path_ = tmpl;
        EXPECT_FALSE(path_.empty());
    }
    ~ScratchDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

inline std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class HandOffTest : public ::testing::Test {
protected:
    HandOffTest() { std::filesystem::current_path(dir.Path()); }
    ~HandOffTest() override { std::filesystem::current_path(home); }

    const std::filesystem::path home = std::filesystem::current_path();
    ScratchDir dir;
    Session s;
    quillset::testing::FakeHost host;
    quillset::testing::FakeSettings settings;
};

}  // namespace quillset::exports::testing
