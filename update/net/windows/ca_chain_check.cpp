#include "update/net/windows/ca_chain_check.h"

#include <wincrypt.h>

#include <memory>
#include <string_view>
#include <vector>

#include "update/build_settings.h"

namespace vantu {

namespace {

struct CertStoreCloser {
    void operator()(HCERTSTORE store) const { CertCloseStore(store, 0); }
};
using CertStore = std::unique_ptr<void, CertStoreCloser>;

struct CertChainFreer {
    void operator()(PCCERT_CHAIN_CONTEXT chain) const { CertFreeCertificateChain(chain); }
};
using CertChain = std::unique_ptr<const CERT_CHAIN_CONTEXT, CertChainFreer>;

struct CertContextFreer {
    void operator()(PCCERT_CONTEXT certificate) const { CertFreeCertificateContext(certificate); }
};
using CertContext = std::unique_ptr<const CERT_CONTEXT, CertContextFreer>;

// The build's CA certificates in a memory store of their own; null when
// there are none or one cannot be read.
CertStore BuildCaStore() {
    CertStore store(
        CertOpenStore(CERT_STORE_PROV_MEMORY, 0, 0, CERT_STORE_CREATE_NEW_FLAG, nullptr));
    if (!store) {
        return {};
    }
    constexpr std::string_view kBegin = "-----BEGIN CERTIFICATE-----";
    constexpr std::string_view kEnd = "-----END CERTIFICATE-----";
    std::string_view pem = Settings().caCertificates;
    int count = 0;
    for (size_t begin = pem.find(kBegin); begin != std::string_view::npos;
         begin = pem.find(kBegin)) {
        const size_t end = pem.find(kEnd, begin);
        if (end == std::string_view::npos) {
            return {};
        }
        const std::string_view block = pem.substr(begin, end + kEnd.size() - begin);
        pem.remove_prefix(end + kEnd.size());
        DWORD size = 0;
        if (!CryptStringToBinaryA(block.data(), static_cast<DWORD>(block.size()),
                                  CRYPT_STRING_BASE64HEADER, nullptr, &size, nullptr, nullptr)) {
            return {};
        }
        std::vector<BYTE> der(size);
        if (!CryptStringToBinaryA(block.data(), static_cast<DWORD>(block.size()),
                                  CRYPT_STRING_BASE64HEADER, der.data(), &size, nullptr, nullptr) ||
            !CertAddEncodedCertificateToStore(store.get(), X509_ASN_ENCODING, der.data(), size,
                                              CERT_STORE_ADD_ALWAYS, nullptr)) {
            return {};
        }
        ++count;
    }
    return count > 0 ? std::move(store) : CertStore();
}

// The server's certificate with the intermediates it sent, as WinINet got
// them; null when WinINet gives none.
CertChain ReceivedChain(HINTERNET request) {
    PCCERT_CHAIN_CONTEXT received = nullptr;
    DWORD size = sizeof received;
    if (!InternetQueryOptionW(request, INTERNET_OPTION_SERVER_CERT_CHAIN_CONTEXT, &received,
                              &size)) {
        return {};
    }
    CertChain chain(received);
    if (!chain || chain->cChain == 0 || chain->rgpChain[0]->cElement == 0) {
        return {};
    }
    return chain;
}

}  // namespace

bool ServerChainsToBuildCa(HINTERNET request, const std::wstring& host) {
    const CertStore authorities = BuildCaStore();
    const CertChain received = ReceivedChain(request);
    if (!authorities || !received) {
        return false;
    }
    const PCCERT_CONTEXT leaf = received->rgpChain[0]->rgpElement[0]->pCertContext;

    // The chain is built anew from the leaf, with what the server sent and
    // the build's CAs as the only extra certificates.
    const CertStore extra(CertOpenStore(CERT_STORE_PROV_COLLECTION, 0, 0, 0, nullptr));
    if (!extra || !CertAddStoreToCollection(extra.get(), authorities.get(), 0, 0) ||
        (leaf->hCertStore != nullptr &&
         !CertAddStoreToCollection(extra.get(), leaf->hCertStore, 0, 0))) {
        return false;
    }
    char serverAuth[] = szOID_PKIX_KP_SERVER_AUTH;
    LPSTR usages[] = {serverAuth};
    CERT_CHAIN_PARA para{};
    para.cbSize = sizeof para;
    para.RequestedUsage.dwType = USAGE_MATCH_TYPE_AND;
    para.RequestedUsage.Usage.cUsageIdentifier = 1;
    para.RequestedUsage.Usage.rgpszUsageIdentifier = usages;
    PCCERT_CHAIN_CONTEXT built = nullptr;
    if (!CertGetCertificateChain(nullptr, leaf, nullptr, extra.get(), &para, 0, nullptr, &built)) {
        return false;
    }
    const CertChain chain(built);
    // The machine not trusting the root is the one fault allowed, and only
    // when that root is one of the build's own.
    if ((chain->TrustStatus.dwErrorStatus & ~CERT_TRUST_IS_UNTRUSTED_ROOT) != CERT_TRUST_NO_ERROR ||
        chain->cChain != 1 || chain->rgpChain[0]->cElement < 2) {
        return false;
    }
    const CERT_SIMPLE_CHAIN& simple = *chain->rgpChain[0];
    const CertContext root(
        CertFindCertificateInStore(authorities.get(), X509_ASN_ENCODING, 0, CERT_FIND_EXISTING,
                                   simple.rgpElement[simple.cElement - 1]->pCertContext, nullptr));
    if (!root) {
        return false;
    }
    // Name and dates, as WinINet checks them for every server.
    SSL_EXTRA_CERT_CHAIN_POLICY_PARA ssl{};
    ssl.cbSize = sizeof ssl;
    ssl.dwAuthType = AUTHTYPE_SERVER;
    ssl.fdwChecks = SECURITY_FLAG_IGNORE_UNKNOWN_CA;
    std::wstring name = host;
    ssl.pwszServerName = name.data();
    CERT_CHAIN_POLICY_PARA policy{};
    policy.cbSize = sizeof policy;
    policy.dwFlags = CERT_CHAIN_POLICY_ALLOW_UNKNOWN_CA_FLAG;
    policy.pvExtraPolicyPara = &ssl;
    CERT_CHAIN_POLICY_STATUS status{};
    status.cbSize = sizeof status;
    return CertVerifyCertificateChainPolicy(CERT_CHAIN_POLICY_SSL, chain.get(), &policy, &status) &&
           status.dwError == 0;
}

}  // namespace vantu
