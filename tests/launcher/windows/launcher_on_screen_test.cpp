// The whole launcher with its windows under wine, against the local update
// server (https://localhost), in a folder of its own beside the demo booster
// and the archive engine: its windows are found on the wine desktop by class
// and answered through their message queues, as a user's clicks arrive.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <iostream>
#include <optional>

#include "launcher/startup/installed_version.h"
#include "tests/launcher/windows/process_windows.h"
#include "tests/support/home_page_opener.h"
#include "tests/support/launcher_folder.h"
#include "tests/support/process.h"
#include "tests/support/temp_dir.h"
#include "tests/support/update_server.h"
#include "tests/update/package_maker.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing::HasSubstr;
using testing_support::BackgroundProcess;
using testing_support::BinDir;
using testing_support::CaptionOf;
using testing_support::ClickClient;
using testing_support::ClientSizeOf;
using testing_support::LocalUpdateServer;
using testing_support::ProcessOptions;
using testing_support::ProcessResult;
using testing_support::TempDir;
using testing_support::WaitForProcessWindow;

// The first window of a process on a fresh wine desktop can take ten seconds.
constexpr auto kWindowWait = 30s;
// Where the skins put their buttons (client points).
constexpr POINT kUpgradeClose{482, 18};
constexpr POINT kBoxOkAlone{185, 162};
constexpr POINT kBoxOk{110, 162};
constexpr POINT kBoxCancel{260, 162};

class LauncherOnScreen : public testing_support::LauncherFolderTest {
  protected:
    LauncherOnScreen() {
        for (const char* file : {"VantuSpeedUp.exe", "7z.dll"}) {
            fs::copy_file(BinDir() / file, m_folder / file);
        }
        fs::copy_file(BinDir() / "VantuLauncherLocal.exe", m_folder / "VantuLauncher.exe");
    }

    void TearDown() override {
        if (HasFailure() && m_launcher) {
            std::cerr << "launcher's standard error:\n" << m_launcher->Err() << std::flush;
        }
    }

    ProcessResult RunInFolder() override {
        StartLauncher();
        ProcessResult result;
        result.exitCode = m_launcher->Wait(60s).value_or(-1);
        result.err = m_launcher->Err();
        return result;
    }

    BackgroundProcess& StartLauncher() {
        ProcessOptions options;
        options.env = {"VANTU_BOOSTER_RECORD=" + m_record.string()};
        options.directory = m_cwd.path();
        m_launcher.emplace(m_folder / "VantuLauncher.exe", options);
        return *m_launcher;
    }

    HWND WaitForWindow(const wchar_t* cls) {
        return WaitForProcessWindow(static_cast<DWORD>(m_launcher->pid()), cls, kWindowWait);
    }

    // A package of the demo booster at `version`, served by `server` at a
    // pace that keeps the window up for a while; its address.
    static std::string ServeBoosterPackage(LocalUpdateServer& server, const std::string& version,
                                           const std::string& behaviour) {
        TempDir payload;
        ProcessOptions options;
        options.args = {"set", (BinDir() / "VantuSpeedUp.exe").string(),
                        (payload / "VantuSpeedUp.exe").string(), version};
        EXPECT_EQ(testing_support::RunProcess(BinDir() / "vantu-versioninfo.exe", options).exitCode,
                  0);
        package_maker::Make7z(payload.path(), server.Root() / "booster.7z");
        return server.HttpsUrl(behaviour + "/booster.7z");
    }

    static std::string UpgradeAnswer(const std::string& version, const std::string& address) {
        return R"({"Code":0,"Data":{"LatestVersion":")" + version +
               R"(","UpdateContent":"1.0.0.1|修复问题","DownloadUrl":")" + address + R"("}})";
    }

    std::wstring InstalledBoosterVersion() const {
        std::wstring version;
        vantu::QueryFileVersion((m_folder / "VantuSpeedUp.exe").wstring(), version);
        return version;
    }

    std::wstring AnswerBox(POINT button) {
        return testing_support::AnswerProcessBox(static_cast<DWORD>(m_launcher->pid()), button,
                                                 kWindowWait);
    }

    std::optional<BackgroundProcess> m_launcher;
};

TEST_F(LauncherOnScreen, NewerVersionOpensTheUpgradeWindowWhichInstallsAndStartsTheBooster) {
    auto server = StartServer("");
    server->SetVersionAnswer(
        UpgradeAnswer("1.0.0.1", ServeBoosterPackage(*server, "1.0.0.1", "/b/trickle-65536-40")));
    StartLauncher();
    HWND window = WaitForWindow(L"MainWindow");
    ASSERT_NE(window, nullptr) << "no upgrade window";
    EXPECT_EQ(ClientSizeOf(window).cx, 500);
    EXPECT_EQ(ClientSizeOf(window).cy, 310);
    EXPECT_EQ(CaptionOf(window), L"Vantu Game Booster Upgrade Version");
    EXPECT_EQ(m_launcher->Wait(60s), 0);
    EXPECT_EQ(InstalledBoosterVersion(), L"1.0.0.1");
    EXPECT_EQ(BoosterRecord(5s),
              "cwd " + m_cwd.path().string() + "\narg -show\narg -oemid:178\nend\n");
    EXPECT_FALSE(fs::exists(m_folder / "booster.7z"));
}

TEST_F(LauncherOnScreen, DownloadFailureShowsItsBoxAndOpensTheHomePage) {
    testing_support::HomePageOpener opener;
    auto server = StartServer("");
    server->SetVersionAnswer(UpgradeAnswer("1.0.0.1", server->HttpsUrl("/b/404/booster.7z")));
    StartLauncher();
    ASSERT_NE(WaitForWindow(L"MainWindow"), nullptr) << "no upgrade window";
    EXPECT_EQ(AnswerBox(kBoxOk), L"提示");  // OK and Cancel both shown
    EXPECT_EQ(m_launcher->Wait(20s), 0);
    EXPECT_EQ(opener.Opened(), "http://127.0.0.1/?oemid=178\n");
    EXPECT_EQ(InstalledBoosterVersion(), L"1.0.0.0");
    EXPECT_EQ(BoosterRecord(500ms), "");
}

TEST_F(LauncherOnScreen, ClosingTheWindowMidDownloadAsksFirst) {
    auto server = StartServer("");
    server->SetVersionAnswer(
        UpgradeAnswer("1.0.0.1", server->HttpsUrl("/b/trickle-1024-200/gen/10000000")));
    StartLauncher();
    HWND window = WaitForWindow(L"MainWindow");
    ASSERT_NE(window, nullptr) << "no upgrade window";

    // Cancel keeps the window and the download.
    ClickClient(window, kUpgradeClose.x, kUpgradeClose.y);
    EXPECT_EQ(AnswerBox(kBoxCancel), L"提示");
    EXPECT_EQ(WaitForWindow(L"MainWindow"), window);
    EXPECT_EQ(m_launcher->Wait(300ms), std::nullopt);

    // OK leaves without the booster.
    ClickClient(window, kUpgradeClose.x, kUpgradeClose.y);
    EXPECT_EQ(AnswerBox(kBoxOk), L"提示");
    EXPECT_EQ(m_launcher->Wait(20s), 0);
    EXPECT_EQ(InstalledBoosterVersion(), L"1.0.0.0");
    EXPECT_EQ(BoosterRecord(500ms), "");
}

}  // namespace
