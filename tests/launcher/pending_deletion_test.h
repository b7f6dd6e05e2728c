#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/files/file_system.h"
#include "tests/support/temp_dir.h"

namespace launcher_test {

// A launcher folder of its own with its pending-deletion list "temp".
class PendingDeletionTest : public testing::Test {
  protected:
    void TearDown() override { platform::FileFaults::Clear(); }
    std::wstring Folder() const { return dir.path().wstring() + L"/"; }
    std::filesystem::path List() const { return dir / "temp"; }
    testing_support::TempDir dir;
};

}  // namespace launcher_test
