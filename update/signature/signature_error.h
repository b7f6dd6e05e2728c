#pragma once

// Why a package's signature was not accepted.

namespace vantu {

enum class SignatureError {
    None,
    NoSignatureFile,  // none of at most 4 KiB at the package address + ".minisig"
    MalformedPublicKey,
    MalformedSignatureFile,
    LegacyAlgorithm,  // minisign's whole-file form, not the pre-hashed one
    OtherKey,
    BadCommentSignature,  // the trusted comment was changed
    OtherVersion,         // signed for a version other than the one announced
    PackageUnreadable,
    BadSignature,  // the package is not the one signed
};

// A short English text for the log.
const char* DescribeSignatureError(SignatureError error);

}  // namespace vantu
