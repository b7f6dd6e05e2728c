// The version-query benchmark's reference on Windows, the part curl plays on
// Linux: about the least a program does to fetch an HTTPS address over
// WinINet and trust one given CA. One GET with the machine's CA check left
// out, the server's certificate then checked to be signed by that CA (name
// and dates stay WinINet's checks); the body goes to standard output.
//
//   bench_wininet_fetch.exe ADDRESS CA_PEM_FILE
//
// Exit code 0 when the body was read from a 200 answer, 1 otherwise.

#include <windows.h>
// After windows.h, whose types they use.
#include <wincrypt.h>
#include <wininet.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

// The CA's certificate, DER, from the first PEM block of the file.
std::vector<BYTE> ReadCa(const wchar_t* file) {
    std::ifstream in(file, std::ios::binary);
    const std::string pem(std::istreambuf_iterator<char>(in), {});
    DWORD size = 0;
    if (pem.empty() ||
        !CryptStringToBinaryA(pem.data(), static_cast<DWORD>(pem.size()), CRYPT_STRING_BASE64HEADER,
                              nullptr, &size, nullptr, nullptr)) {
        return {};
    }
    std::vector<BYTE> der(size);
    if (!CryptStringToBinaryA(pem.data(), static_cast<DWORD>(pem.size()), CRYPT_STRING_BASE64HEADER,
                              der.data(), &size, nullptr, nullptr)) {
        return {};
    }
    der.resize(size);
    return der;
}

// Whether the certificate the server presented is signed by the CA.
bool SignedByCa(HINTERNET request, std::vector<BYTE>& ca) {
    PCCERT_CHAIN_CONTEXT chain = nullptr;
    DWORD size = sizeof chain;
    if (!InternetQueryOptionW(request, INTERNET_OPTION_SERVER_CERT_CHAIN_CONTEXT, &chain, &size) ||
        chain == nullptr) {
        return false;
    }
    PCCERT_CONTEXT issuer =
        CertCreateCertificateContext(X509_ASN_ENCODING, ca.data(), static_cast<DWORD>(ca.size()));
    bool ok = false;
    if (issuer != nullptr && chain->cChain > 0 && chain->rgpChain[0]->cElement > 0) {
        auto* leaf = const_cast<CERT_CONTEXT*>(chain->rgpChain[0]->rgpElement[0]->pCertContext);
        ok = CryptVerifyCertificateSignatureEx(
                 0, X509_ASN_ENCODING, CRYPT_VERIFY_CERT_SIGN_SUBJECT_CERT, leaf,
                 CRYPT_VERIFY_CERT_SIGN_ISSUER_CERT, const_cast<CERT_CONTEXT*>(issuer), 0,
                 nullptr) != FALSE;
    }
    if (issuer != nullptr) {
        CertFreeCertificateContext(issuer);
    }
    CertFreeCertificateChain(chain);
    return ok;
}

bool Fetch(const wchar_t* address, std::vector<BYTE>& ca) {
    wchar_t host[256] = {};
    wchar_t path[2048] = {};
    URL_COMPONENTSW parts{};
    parts.dwStructSize = sizeof parts;
    parts.lpszHostName = host;
    parts.dwHostNameLength = 256;
    parts.lpszUrlPath = path;
    parts.dwUrlPathLength = 2048;
    if (!InternetCrackUrlW(address, 0, 0, &parts) || parts.nScheme != INTERNET_SCHEME_HTTPS) {
        return false;
    }
    HINTERNET session = InternetOpenW(L"bench", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    HINTERNET connection = session == nullptr
                               ? nullptr
                               : InternetConnectW(session, host, parts.nPort, nullptr, nullptr,
                                                  INTERNET_SERVICE_HTTP, 0, 0);
    HINTERNET request =
        connection == nullptr
            ? nullptr
            : HttpOpenRequestW(connection, L"GET", path, nullptr, nullptr, nullptr,
                               INTERNET_FLAG_SECURE | INTERNET_FLAG_RELOAD |
                                   INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_UI,
                               0);
    bool ok = false;
    if (request != nullptr) {
        DWORD flags = 0;
        DWORD size = sizeof flags;
        InternetQueryOptionW(request, INTERNET_OPTION_SECURITY_FLAGS, &flags, &size);
        flags |= SECURITY_FLAG_IGNORE_UNKNOWN_CA | SECURITY_FLAG_IGNORE_REVOCATION;
        InternetSetOptionW(request, INTERNET_OPTION_SECURITY_FLAGS, &flags, sizeof flags);
        DWORD status = 0;
        size = sizeof status;
        ok = HttpSendRequestW(request, nullptr, 0, nullptr, 0) && SignedByCa(request, ca) &&
             HttpQueryInfoW(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status,
                            &size, nullptr) &&
             status == 200;
        char buffer[4096];
        DWORD read = 0;
        while (ok && (ok = InternetReadFile(request, buffer, sizeof buffer, &read) != FALSE) &&
               read > 0) {
            std::fwrite(buffer, 1, read, stdout);
        }
    }
    for (HINTERNET handle : {request, connection, session}) {
        if (handle != nullptr) {
            InternetCloseHandle(handle);
        }
    }
    return ok;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_wininet_fetch ADDRESS CA_PEM_FILE\n");
        return 1;
    }
    std::vector<BYTE> ca = ReadCa(argv[2]);
    if (ca.empty()) {
        std::fprintf(stderr, "no certificate in the CA file\n");
        return 1;
    }
    return Fetch(argv[1], ca) ? 0 : 1;
}
