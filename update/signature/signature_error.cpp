#include "update/signature/signature_error.h"

namespace vantu {

const char* DescribeSignatureError(SignatureError error) {
    switch (error) {
        case SignatureError::None:
            return "signature verified";
        case SignatureError::NoSignatureFile:
            return "no signature file of at most 4 KiB at the package address + .minisig";
        case SignatureError::MalformedPublicKey:
            return "the built-in public key is not a minisign public key";
        case SignatureError::MalformedSignatureFile:
            return "not a minisign signature file";
        case SignatureError::LegacyAlgorithm:
            return "legacy signature algorithm (sign without -l)";
        case SignatureError::OtherKey:
            return "signed with another key";
        case SignatureError::BadCommentSignature:
            return "trusted comment does not match its signature";
        case SignatureError::OtherVersion:
            return "signed for another version";
        case SignatureError::PackageUnreadable:
            return "package could not be read";
        case SignatureError::BadSignature:
            return "package does not match its signature";
    }
    return "unknown signature error";
}

}  // namespace vantu
