#pragma once

// The minisign tool's public key and signature file formats, read without
// trusting them: every field is checked for shape and size before use.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "update/signature/signature_error.h"

namespace vantu {

// A signature file is four short lines; anything larger is not one.
inline constexpr std::size_t kMaxSignatureFileBytes = 4096;

using MinisignKeyId = std::array<unsigned char, 8>;
using Ed25519Signature = std::array<unsigned char, 64>;

struct MinisignPublicKey {
    MinisignKeyId keyId{};
    std::array<unsigned char, 32> key{};
};

struct MinisignSignature {
    MinisignKeyId keyId{};
    Ed25519Signature signature{};        // over the file's BLAKE2b-512 digest
    std::string trustedComment;          // the text after "trusted comment: "
    Ed25519Signature globalSignature{};  // over signature + trusted comment
};

// The key as `minisign -P` takes it: the base64 line of the .pub file
// (surrounding white space ignored). MalformedPublicKey otherwise.
SignatureError ParseMinisignPublicKey(std::string_view text, MinisignPublicKey* key);

// A signature file as `minisign -S` writes it: "untrusted comment: ...",
// the base64 signature, "trusted comment: ...", the base64 global signature;
// lines end in "\n" or "\r\n", the last one may lack its end. Only the
// pre-hashed algorithm is taken: the legacy one signs the whole file, which
// could not be checked while streaming it.
SignatureError ParseMinisignSignature(std::string_view bytes, MinisignSignature* signature);

}  // namespace vantu
