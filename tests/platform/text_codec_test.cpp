#include "platform/text/text_codec.h"

#include <gtest/gtest.h>

namespace {

TEST(TextCodec, Utf8RoundTripsEveryPlane) {
    std::wstring text = L"a\u00e9\u5347\U0001F600";
    auto bytes = platform::EncodeUtf8(text);
    EXPECT_EQ(bytes, "a\xc3\xa9\xe5\x8d\x87\xf0\x9f\x98\x80");
    EXPECT_EQ(platform::DecodeUtf8(bytes), text);
}

TEST(TextCodec, RefusesMalformedUtf8) {
    for (std::string_view bad :
         {"\xc3", "\xc0\xaf", "\xed\xa0\x80", "\xf4\x90\x80\x80", "\xff", "a\x80"}) {
        EXPECT_FALSE(platform::DecodeUtf8(bad).has_value()) << bad;
    }
}

TEST(TextCodec, JoinsSurrogatePairsAndReplacesLoneOnes) {
    std::wstring pair{wchar_t(0xD83D), wchar_t(0xDE00)};
    EXPECT_EQ(platform::EncodeUtf8(pair), "\xf0\x9f\x98\x80");
    std::wstring lone{wchar_t(0xD83D), L'x'};
    EXPECT_EQ(platform::EncodeUtf8(lone), "\xef\xbf\xbdx");
}

TEST(TextCodec, Latin1MapsBytesOneToOne) {
    EXPECT_EQ(platform::DecodeLatin1("\xe9\x41"), std::wstring(L"\u00e9A"));
}

TEST(TextCodec, FileNamesRoundTripAnyBytes) {
    // Valid UTF-8 decodes as text; each byte of a bad sequence gets its own
    // reserved code point.
    EXPECT_EQ(platform::DecodeFileName("a\xc3\xa9\xff\xc3("),
              (std::wstring{L'a', L'\u00e9', wchar_t(0xDCFF), wchar_t(0xDCC3), L'('}));
    std::string every;
    for (int b = 1; b < 256; ++b) {
        every += static_cast<char>(b);
    }
    for (std::string bytes : {every, std::string("\xed\xa0\x80|\xf4\x90\x80\x80"),
                              std::string("caf\xc3\xa9 \xe5\x8d\x87 \xc0\xaf")}) {
        EXPECT_EQ(platform::EncodeFileName(platform::DecodeFileName(bytes)), bytes);
    }
    EXPECT_EQ(platform::EncodeFileName(L"caf\u00e9"), platform::EncodeUtf8(L"caf\u00e9"));
}

}  // namespace
