// On Linux every segment is a plain name: a colon, a trailing dot or a
// Windows device name means nothing special there and stays allowed.

#include <gtest/gtest.h>

#include "platform/files/paths.h"

namespace {

TEST(SpecialPathSegment, NoSegmentIsSpecialOnLinux) {
    for (const wchar_t* name :
         {L"C:evil", L"file.txt::$DATA", L"...", L"name ", L"NUL", L"com1", L"plain.txt"}) {
        EXPECT_FALSE(platform::IsSpecialPathSegment(name)) << std::wstring(name).size();
    }
}

}  // namespace
