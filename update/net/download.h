#pragma once

// The package download: one attempt to fetch an https address (in test and
// demo builds also http or file) into a file, reporting progress to a window.

#include <cstdint>
#include <string>

#include "platform/win32.h"

namespace vantu {

// The progress sink of a download: posts WM_UPGRADE_PROGRESS (received,
// total) to its window on every progress report, without throttling.
class BindCallback {
  public:
    explicit BindCallback(HWND window) : m_window(window) {}
    void OnProgress(std::uint64_t received, std::uint64_t total) const;

  private:
    HWND m_window;
};

// Creates the folder, and first every missing folder above it.
bool EnsureFolderPath(const std::wstring& folder);

// Downloads the address into `path` (creating its folder when missing).
// True when the transfer succeeded and the file exists. No retry, no resume;
// a partial file is left for the caller.
bool DownloadToFile(const std::wstring& address, const std::wstring& path, BindCallback callback);

}  // namespace vantu
