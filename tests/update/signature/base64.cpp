#include <gtest/gtest.h>
#include <sodium.h>

#include "tests/update/signature/signing_key.h"

namespace signing_testing {

std::string Base64(const std::string& bytes) {
    std::string text(sodium_base64_ENCODED_LEN(bytes.size(), sodium_base64_VARIANT_ORIGINAL), '\0');
    sodium_bin2base64(text.data(), text.size(),
                      reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(),
                      sodium_base64_VARIANT_ORIGINAL);
    text.resize(text.size() - 1);  // the terminator
    return text;
}

std::string DecodeBase64(const std::string& text) {
    std::string bytes(text.size(), '\0');
    size_t length = 0;
    EXPECT_EQ(
        sodium_base642bin(reinterpret_cast<unsigned char*>(bytes.data()), bytes.size(), text.data(),
                          text.size(), nullptr, &length, nullptr, sodium_base64_VARIANT_ORIGINAL),
        0);
    bytes.resize(length);
    return bytes;
}

}  // namespace signing_testing
