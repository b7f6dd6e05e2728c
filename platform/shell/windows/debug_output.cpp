#include "platform/shell/debug_output.h"

#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/text/text_codec.h"

void OutputDebugString(const wchar_t* text) {
    if (text == nullptr) {
        return;
    }
    OutputDebugStringW(text);
    std::string utf8 = platform::EncodeUtf8(text);
    std::fwrite(utf8.data(), 1, utf8.size(), stderr);
    std::fflush(stderr);
}
