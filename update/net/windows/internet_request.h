#pragma once

// What the version query and the package download share over WinINet: the
// session, the certificate check against the build's CAs, redirects, and
// reads that return what has arrived.

#include <windows.h>
#include <wininet.h>

#include <chrono>
#include <string>
#include <string_view>

#include "update/net/windows/internet_handle.h"

namespace vantu {

// A session with the agent, the system's proxy configuration and the
// connect and send time-outs of the transfer limits; null when WinINet
// refused it.
InternetHandle OpenInternetSession();

// Sets one of the time-out options (at least 1 ms, at most what it holds).
void SetTimeout(HINTERNET handle, DWORD option, std::chrono::milliseconds span);

// Bytes to UTF-16 one for one: host names are checked ASCII, header lines
// are the caller's 8-bit text.
std::wstring Widen(std::string_view bytes);

// The request's flags for GET of an address: never cached, no cookies,
// authentication or dialogs, redirects left to the caller (so that each
// target is checked and only the final answer's headers are looked at).
DWORD RequestFlags(bool secure);

// Sends the request. A server whose CA WinINet does not know (or whose
// revocation it cannot learn, as with a private CA) is accepted only when
// its chain ends at one of the build's CAs (ca_chain_check.h); name and
// dates stay WinINet's checks. False with WinINet's error as the last error.
bool SendTrusted(HINTERNET request, const std::wstring& host, const std::wstring& headers);

// The answer's status; 0 when WinINet has none.
long AnswerStatus(HINTERNET request);

// Where a redirect leads, resolved against the address it came from; empty
// when the answer is no redirect or its target is not a plain ASCII address.
std::string RedirectTarget(HINTERNET request, const std::string& from);

// Reads what has arrived, up to `size` bytes, waiting only while nothing
// has (up to the receive time-out): WinINet's own read would wait until
// the whole buffer is full, holding a stall or a deadline off for as long
// as the server trickles. False on a failed read; 0 bytes at the end.
bool ReadArrived(HINTERNET request, char* buffer, DWORD size, DWORD* read);

}  // namespace vantu
