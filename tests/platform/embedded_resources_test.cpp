#include "platform/resources/embedded_resources.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace {

TEST(EmbeddedResources, FoundByExactTypeAndId) {
    static const char kFirst[] = "first";
    static const char kSecond[] = "second!";
    platform::RegisterEmbeddedResource("TESTRES", 7, kFirst, 5);
    auto found = platform::FindEmbeddedResource("TESTRES", 7);
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(static_cast<const void*>(found->data()), static_cast<const void*>(kFirst));
    EXPECT_EQ(found->size(), 5u);
    EXPECT_FALSE(platform::FindEmbeddedResource("TESTRES", 8).has_value());
    EXPECT_FALSE(platform::FindEmbeddedResource("testres", 7).has_value());
    // A later registration of the same resource replaces it.
    platform::RegisterEmbeddedResource("TESTRES", 7, kSecond, 7);
    EXPECT_EQ(platform::FindEmbeddedResource("TESTRES", 7)->size(), 7u);
}

}  // namespace

namespace {

std::string Text(std::span<const std::byte> bytes) {
    return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

TEST(EmbeddedResources, NamedResourcesAreApartFromNumberedOnes) {
    static const char kNamed[] = "named";
    static const char kNumbered[] = "numbered";
    platform::RegisterEmbeddedResource("TESTRES", "12", kNamed, 5);
    platform::RegisterEmbeddedResource("TESTRES", 12, kNumbered, 8);
    EXPECT_EQ(Text(*platform::FindEmbeddedResource("TESTRES", "12")), "named");
    EXPECT_EQ(Text(*platform::FindEmbeddedResource("TESTRES", 12)), "numbered");
    // "#12" is the Windows way of naming resource 12.
    EXPECT_EQ(Text(*platform::FindEmbeddedResource("TESTRES", "#12")), "numbered");
    EXPECT_FALSE(platform::FindEmbeddedResource("TESTRES", "#12x").has_value());
    EXPECT_FALSE(platform::FindEmbeddedResource("OTHER", "12").has_value());
}

TEST(EmbeddedResources, BuildEmbedsAFileUnderItsName) {
    auto found = platform::FindEmbeddedResource("xml", "Named Resource.xml");
    ASSERT_TRUE(found.has_value());
    std::ifstream file(VANTU_SOURCE_DIR "/tests/platform/data/named_resource.xml",
                       std::ios::binary);
    std::string expected((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(Text(*found), expected);
#ifdef _WIN32
    // A real resource: the system compares names without case.
    EXPECT_TRUE(platform::FindEmbeddedResource("xml", "named resource.xml").has_value());
#else
    EXPECT_FALSE(platform::FindEmbeddedResource("xml", "named resource.xml").has_value());
#endif
    EXPECT_FALSE(platform::FindEmbeddedResource("xml", "Named Resource.xm").has_value());
    EXPECT_FALSE(platform::FindEmbeddedResource("xml", "#1").has_value());
}

}  // namespace

namespace {

TEST(EmbeddedResources, BuildEmbedsAFileUnderItsNumber) {
    auto found = platform::FindEmbeddedResource("TESTDATA", 77);
    ASSERT_TRUE(found.has_value());
    std::ifstream file(VANTU_SOURCE_DIR "/tests/platform/data/named_resource.xml",
                       std::ios::binary);
    std::string expected((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(found->data()), found->size()), expected);
    EXPECT_EQ(Text(*platform::FindEmbeddedResource("TESTDATA", "#77")), expected);
    EXPECT_FALSE(platform::FindEmbeddedResource("TESTDATA", 78).has_value());
    EXPECT_FALSE(platform::FindEmbeddedResource("TESTDATA", -77).has_value());
    EXPECT_FALSE(platform::FindEmbeddedResource("TESTDATA", 77 + 0x10000).has_value());
    EXPECT_FALSE(platform::FindEmbeddedResource("OTHERDATA", 77).has_value());
}

}  // namespace
