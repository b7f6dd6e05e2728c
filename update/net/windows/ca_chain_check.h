#pragma once

// Trusting the build's own CA on Windows without touching WinINet's checks
// for other servers or the machine's trust store: when WinINet does not know
// the CA of a server's certificate, the chain it received is checked here,
// with crypt32, against the certificates the program carries
// (Settings().caCertificates) alone.

#include <windows.h>
#include <wininet.h>

#include <string>

namespace vantu {

// True when the certificate the server of `request` presented chains to one
// of the build's CAs (and to nothing else), is valid now and names `host`.
// False when the build carries no CA, or WinINet gives no certificate.
bool ServerChainsToBuildCa(HINTERNET request, const std::wstring& host);

}  // namespace vantu
