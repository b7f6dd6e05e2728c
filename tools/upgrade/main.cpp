// vantu-upgrade ADDRESS FOLDER [VERSION]: runs one upgrade of FOLDER from
// the package at ADDRESS, announced as VERSION, without a window, printing the
// download progress and the result. A build with a public key installs only a
// package signed for VERSION. Exit code 0 when the upgrade was done, 1 when it
// failed, 2 on bad arguments.

#include <cstdio>
#include <string>
#include <thread>

#include "platform/text/text_codec.h"
#include "platform/window/message_window.h"
#include "update/build_settings.h"
#include "update/upgrade_messages.h"
#include "update/upgrade_worker.h"

namespace {

int g_exitCode = 1;
int g_lastPercent = -1;

LRESULT CALLBACK UpgradeProc(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_UPGRADE_PROGRESS: {
            auto received = static_cast<unsigned long long>(wParam);
            auto total = static_cast<unsigned long long>(lParam);
            // One line per percent (per MiB when the size is unknown).
            int step = total > 0 ? static_cast<int>(received * 100 / total)
                                 : static_cast<int>(received >> 20);
            if (step != g_lastPercent) {
                g_lastPercent = step;
                std::printf("progress %llu/%llu\n", received, total);
            }
            return 0;
        }
        case WM_UPGRADE_DOWNLOAD_FAILED:
            std::printf("WM_UPGRADE_DOWNLOAD_FAILED\n");
            PostQuitMessage(1);
            return 0;
        case WM_UPGRADE_EXTRACT_FAILED:
            std::printf("WM_UPGRADE_EXTRACT_FAILED\n");
            PostQuitMessage(1);
            return 0;
        case WM_UPGRADE_DONE:
            std::printf("WM_UPGRADE_DONE\n");
            PostQuitMessage(0);
            return 0;
        default:
            return 0;
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: %s ADDRESS FOLDER [VERSION]\n", argv[0]);
        return 2;
    }
    vantu::UpgradeSource source{platform::DecodeFileName(argv[1]),
                                argc == 4 ? platform::DecodeFileName(argv[3]) : L"",
                                vantu::Settings().packagePublicKey};
    std::wstring folder = platform::DecodeFileName(argv[2]);
    if (folder.empty() || folder.back() != L'/') {
        folder += L'/';
    }
    platform::MessageWindow window(UpgradeProc);
    if (window.Handle() == nullptr) {
        std::fprintf(stderr, "no message window\n");
        return 1;
    }
    std::thread worker([&] { vantu::RunUpgrade(source, window.Handle(), folder); });
    MSG msg;
    while (GetMessage(&msg, nullptr, 0, 0)) {
        DispatchMessage(&msg);
    }
    g_exitCode = static_cast<int>(msg.wParam);
    worker.join();
    std::fflush(stdout);
    return g_exitCode;
}
