#include "platform/shell/clipboard.h"

#include <SDL.h>

#include <memory>

#include "platform/text/text_codec.h"

namespace platform {

namespace {

bool DisplayRuns() {
    return SDL_WasInit(SDL_INIT_VIDEO) != 0;
}

struct SdlFree {
    void operator()(char* text) const { SDL_free(text); }
};

}  // namespace

bool SetClipboardText(std::wstring_view text) {
    if (!DisplayRuns()) {
        return false;
    }
    // The clipboard's text ends at the first NUL, as a C string does.
    std::string utf8 = EncodeUtf8(text.substr(0, text.find(L'\0')));
    return SDL_SetClipboardText(utf8.c_str()) == 0;
}

std::optional<std::wstring> GetClipboardText() {
    if (!DisplayRuns()) {
        return std::nullopt;
    }
    // One request to the owner (asking whether there is text would be another).
    std::unique_ptr<char, SdlFree> text(SDL_GetClipboardText());
    if (!text || text.get()[0] == 0) {
        return std::nullopt;
    }
    return DecodeUtf8(text.get());
}

}  // namespace platform
