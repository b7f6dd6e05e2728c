// Signature files and public keys come from the update server and the build:
// reading them must never crash, hang or leak, whatever the bytes, and what
// is accepted must hold together.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "update/signature/minisign_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    vantu::MinisignSignature signature;
    if (vantu::ParseMinisignSignature(bytes, &signature) == vantu::SignatureError::None) {
        if (size > vantu::kMaxSignatureFileBytes || signature.trustedComment.size() >= size ||
            signature.trustedComment.find('\n') != std::string::npos) {
            __builtin_trap();
        }
    }
    vantu::MinisignPublicKey key;
    vantu::ParseMinisignPublicKey(bytes, &key);
    return 0;
}
