// Started programs on Windows: only the standard handles pass, even where
// this process holds inheritable handles. (The Linux suite checks the same
// through /proc.)

#include "platform/process/process.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "platform/text/text_codec.h"

namespace {

TEST(StartProcess, TheChildInheritsOnlyTheStandardHandles) {
    // Both ends inheritable, as a careless library would leave them.
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    ASSERT_TRUE(CreatePipe(&readEnd, &writeEnd, &inherit, 0));
    const auto sleeper = platform::DecodeFileName(VANTU_BIN_DIR "/vantu-sleep" VANTU_EXE_SUFFIX);
    ASSERT_TRUE(platform::StartProcess(sleeper, {L"10"}));
    // With our write end closed, the pipe is broken unless the sleeping
    // child holds a copy.
    CloseHandle(writeEnd);
    DWORD available = 0;
    const BOOL peeked = PeekNamedPipe(readEnd, nullptr, 0, nullptr, &available, nullptr);
    const DWORD error = GetLastError();
    CloseHandle(readEnd);
    EXPECT_FALSE(peeked) << "the child inherited the pipe's write end";
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_BROKEN_PIPE));
}

TEST(StartProcess, AMissingProgramFails) {
    EXPECT_FALSE(platform::StartProcess(L"C:\\no-such-folder\\no-such-program.exe", {}));
}

}  // namespace
