#pragma once

// The upgrade worker run on the test's own thread against a package folder,
// an install folder and a local "server" folder, all in one temporary folder.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "platform/files/file_system.h"
#include "platform/window/message_queue.h"
#include "platform/window/message_window.h"
#include "tests/support/temp_dir.h"
#include "tests/update/package_maker.h"
#include "update/upgrade_messages.h"
#include "update/upgrade_worker.h"

namespace upgrade_testing {

namespace fs = std::filesystem;
using namespace package_maker;
using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

// Every entry below `root` (relative name) with what it holds: a file's
// mode, size and content hash, a folder's mode, a link's target.
std::map<std::string, std::string> TreeOf(const fs::path& root);

inline LRESULT CALLBACK IgnoreProc(HWND, UINT, WPARAM, LPARAM) {
    return 0;
}

class UpgradeWorkerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(payload / "sub");
        fs::create_directories(app);
        fs::create_directories(server);
        WriteFile(payload / "a.dll", "new a");
        WriteFile(payload / "sub" / "b.dll", "new b");
    }
    void TearDown() override { platform::FileFaults::Clear(); }

    // Runs one upgrade on this thread and collects what it posted.
    void Upgrade(const std::wstring& address) { Upgrade({address, L"", ""}); }
    void Upgrade(const vantu::UpgradeSource& source) {
        ::testing::internal::CaptureStdout();
        vantu::RunUpgrade(source, window, WideFolder(app));
        std::fflush(stdout);
        trace = ::testing::internal::GetCapturedStdout();
        MSG msg;
        while (PeekMessage(&msg, window, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_UPGRADE_PROGRESS) {
                progress.push_back(msg);
            } else {
                results.push_back(msg.message);
            }
        }
    }
    // A package of a.dll and sub/b.dll, without an item for the folder.
    void Upgrade7z() {
        Make7zOf(payload, server / "pkg.7z", {"a.dll", "sub/b.dll"});
        Upgrade(FileAddress(server / "pkg.7z"));
    }
    // A path as the worker names it: the folder it was given and an item's
    // name ("/" between its parts on both systems).
    std::wstring App(const char* name) const { return WideFolder(app) + Wide(name); }
    // The temporary folder as it is now, without the package file that a
    // failed upgrade leaves in the install folder.
    std::map<std::string, std::string> Everything(const std::string& packageName) const {
        auto tree = TreeOf(temp.path());
        tree.erase("app/" + packageName);
        return tree;
    }

    TempDir temp;
    fs::path payload = temp / "payload";
    fs::path app = temp / "app";
    fs::path server = temp / "server";
    platform::MessageWindow messageWindow{IgnoreProc};
    HWND window = messageWindow.Handle();
    std::string trace;
    std::vector<MSG> progress;
    std::vector<UINT> results;
};

}  // namespace upgrade_testing
