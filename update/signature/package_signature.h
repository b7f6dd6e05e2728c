#pragma once

// The check that a downloaded package is the one the vendor signed for the
// version the update server announced.

#include <string>
#include <string_view>

#include "update/signature/signature_error.h"

namespace vantu {

// The trusted comment a package for `version` must carry:
// `minisign -S -t "version:1.2.0.0"`.
std::string SignedVersionComment(std::string_view version);

// Verifies the finished file at `packagePath` against the bytes of its
// minisign signature file: the signature's key id is the public key's
// (minisign's base64 key line), the trusted comment is unchanged and reads
// exactly "version:<announcedVersion>", and the file's BLAKE2b-512 digest,
// computed while reading it in pieces, carries the signature.
SignatureError VerifyPackageSignature(const std::wstring& packagePath,
                                      std::string_view signatureBytes,
                                      std::string_view announcedVersion,
                                      std::string_view publicKey);

}  // namespace vantu
