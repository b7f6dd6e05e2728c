#pragma once

#include <gtest/gtest.h>

#include <string>

#include "tests/support/temp_dir.h"

namespace launcher_test {

// Version files written into a folder of their own.
class VersionFileTest : public testing::Test {
  protected:
    std::wstring Write(const std::string& name, const std::string& bytes) {
        testing_support::WriteFile(dir / name, bytes);
        return (dir / name).wstring();
    }
    testing_support::TempDir dir;
};

}  // namespace launcher_test
