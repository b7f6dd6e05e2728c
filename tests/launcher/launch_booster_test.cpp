#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "launcher/booster.h"
#include "tests/launcher/process_probe.h"
#include "tests/support/process.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using testing_support::BinDir;
using testing_support::ReadFile;
using testing_support::TempDir;

// A variable of this process's environment, which started programs inherit,
// for the object's life.
class ScopedVariable {
  public:
    ScopedVariable(const char* name, const std::string& value) : m_name(name) {
#ifdef _WIN32
        EXPECT_EQ(_putenv_s(name, value.c_str()), 0);
#else
        EXPECT_EQ(setenv(name, value.c_str(), 1), 0);
#endif
    }
    ~ScopedVariable() {
#ifdef _WIN32
        _putenv_s(m_name, "");
#else
        unsetenv(m_name);
#endif
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

  private:
    const char* m_name;
};

// Waits until the demo booster wrote its whole record.
std::string WaitForRecord(const fs::path& record) {
    for (int i = 0; i < 500; ++i) {
        if (fs::exists(record)) {
            auto text = ReadFile(record);
            if (text.find("end\n") != std::string::npos) {
                return text;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return {};
}

TEST(LaunchBooster, StartsTheFolderBoosterWithItsCommandLineInOurFolder) {
    TempDir install;
    TempDir elsewhere;
    fs::copy_file(BinDir() / "VantuSpeedUp.exe", install / "VantuSpeedUp.exe");
    const auto record = elsewhere / "record";
    {
        ScopedVariable recording("VANTU_BOOSTER_RECORD", record.string());
        const auto before = fs::current_path();
        fs::current_path(elsewhere.path());

        vantu::LaunchBooster(install.path().wstring() + L"/");

        fs::current_path(before);
    }
    EXPECT_EQ(WaitForRecord(record),
              "cwd " + elsewhere.path().string() + "\narg -show\narg -oemid:178\nend\n");
}

TEST(LaunchBooster, AMissingBoosterIsNotReported) {
    TempDir empty;
    const auto before = launcher_test::ChildProcesses();
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    vantu::LaunchBooster(empty.path().wstring() + L"/");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    for (long child : launcher_test::ChildProcesses()) {
        EXPECT_TRUE(before.contains(child)) << "started process " << child;
    }
}

}  // namespace
