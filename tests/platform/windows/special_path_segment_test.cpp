// Names that Windows reads as something other than a plain name below a
// folder: a listed or packaged name like these could reach a drive, a stream
// or a device, or ".." after the system drops trailing dots and spaces.

#include <gtest/gtest.h>

#include "platform/files/paths.h"

namespace {

TEST(SpecialPathSegment, DrivesAndStreamsAreSpecial) {
    EXPECT_TRUE(platform::IsSpecialPathSegment(L"C:"));
    EXPECT_TRUE(platform::IsSpecialPathSegment(L"C:evil.dll"));
    EXPECT_TRUE(platform::IsSpecialPathSegment(L"file.txt::$DATA"));
    EXPECT_TRUE(platform::IsSpecialPathSegment(L"file.txt:hidden"));
}

TEST(SpecialPathSegment, TrailingDotsAndSpacesAreSpecial) {
    EXPECT_TRUE(platform::IsSpecialPathSegment(L"..."));
    EXPECT_TRUE(platform::IsSpecialPathSegment(L".. "));
    EXPECT_TRUE(platform::IsSpecialPathSegment(L"name."));
    EXPECT_TRUE(platform::IsSpecialPathSegment(L"name "));
    // "." itself is the folder, which the callers handle.
    EXPECT_FALSE(platform::IsSpecialPathSegment(L"."));
    EXPECT_FALSE(platform::IsSpecialPathSegment(L".hidden"));
}

TEST(SpecialPathSegment, DeviceNamesAreSpecialWithAnyCaseOrExtension) {
    for (const wchar_t* name : {L"NUL", L"nul", L"Con", L"aux.txt", L"PRN .log", L"com1",
                                L"LPT9.dat", L"CONIN$", L"conout$"}) {
        EXPECT_TRUE(platform::IsSpecialPathSegment(name)) << std::wstring(name).size();
    }
    for (const wchar_t* name : {L"console", L"nullable.txt", L"com0", L"com10", L"lpt",
                                L"auxiliary", L"VantuSpeedUp.exe", L"升级.txt", L""}) {
        EXPECT_FALSE(platform::IsSpecialPathSegment(name)) << std::wstring(name).size();
    }
}

}  // namespace
