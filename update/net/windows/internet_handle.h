#pragma once

// The one owner of WinINet handles (sessions, connections, requests).

#include <windows.h>
#include <wininet.h>

#include <memory>
#include <type_traits>

namespace vantu {

struct InternetHandleCloser {
    void operator()(HINTERNET handle) const { InternetCloseHandle(handle); }
};

using InternetHandle = std::unique_ptr<std::remove_pointer_t<HINTERNET>, InternetHandleCloser>;

}  // namespace vantu
