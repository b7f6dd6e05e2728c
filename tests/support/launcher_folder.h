#pragma once

// A launcher test's ground: the launcher in a folder of its own (beside the
// demo booster), a working folder for it, the booster's record of its start,
// and the local update server at the build's port.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "tests/support/deadline.h"
#include "tests/support/launcher_lock.h"
#include "tests/support/moved_aside.h"
#include "tests/support/process.h"
#include "tests/support/temp_dir.h"
#include "tests/support/update_server.h"
#include "update/build_settings.h"

namespace testing_support {

class LauncherFolderTest : public testing::Test {
  protected:
    // The launcher in the folder run once, to its end.
    virtual ProcessResult RunInFolder() = 0;

    static std::unique_ptr<LocalUpdateServer> StartServer(std::string_view answer,
                                                          const std::filesystem::path& pki = {}) {
        auto server = std::make_unique<LocalUpdateServer>(
            UpdateServerOptions{.port = vantu::Settings().updatePort, .pki = pki});
        server->SetVersionAnswer(answer);
        return server;
    }

    // The booster is started, not waited for: give it a moment to record.
    std::string BoosterRecord(std::chrono::milliseconds wait) const {
        WaitUntil(Deadline(wait), [&] {
            return std::filesystem::exists(m_record) && ReadFile(m_record).ends_with("end\n");
        });
        return std::filesystem::exists(m_record) ? ReadFile(m_record) : std::string();
    }

    // A launcher built with a CA bundle carries its certificates: with the
    // bundle gone from where the build read it (VANTU_BUILD_DIR/own-ca-pki),
    // the launcher in the folder still accepts that CA's server and starts
    // the booster. The bundle is back when this returns.
    void ExpectTheBuildsCaToTravelInsideTheProgram() {
        const std::filesystem::path bundleFolder =
            std::filesystem::path(VANTU_BUILD_DIR) / "own-ca-pki";
        const std::filesystem::path aside =
            bundleFolder.string() + ".moved-" + m_scratch.path().filename().string();
        MovedAside moved(bundleFolder, aside);
        ASSERT_FALSE(std::filesystem::exists(bundleFolder / "ca.pem"));
        auto own = StartServer(R"({"Code":1})", aside);
        auto result = RunInFolder();
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_EQ(result.err, "");
        EXPECT_THAT(BoosterRecord(std::chrono::seconds(5)), testing::HasSubstr("arg -oemid:178"));
        EXPECT_EQ(own->Requests().size(), 1u);
        std::filesystem::remove(m_record);
    }

    LauncherLock m_lock;  // one launcher of this build at a time
    TempDir m_folder;
    TempDir m_cwd;
    TempDir m_scratch;
    std::filesystem::path m_record = m_scratch / "booster-record";
};

}  // namespace testing_support
