#pragma once
// A fixture that hands output lines off from inside a scratch folder, where
// the results file lands when the settings name none.

#include <gtest/gtest.h>

#include <filesystem>

#include "app/session.h"
#include "support/fake_host.h"
#include "support/scratch_dir.h"

namespace quillset::exports::testing {

using quillset::testing::FileBytes;
using quillset::testing::ScratchDir;

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
