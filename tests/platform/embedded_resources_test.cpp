#include "platform/resources/embedded_resources.h"

#include <gtest/gtest.h>

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
