#include "platform/resources/program_resources.h"

#include <windows.h>

#include <string>

#include "platform/text/text_codec.h"

namespace platform {

namespace {

// The bytes of a found resource; they stay mapped as long as the program
// runs. The system compares types and names without case.
std::optional<std::span<const std::byte>> Load(std::string_view type, const wchar_t* name) {
    auto wideType = DecodeUtf8(type);
    if (!wideType) {
        return std::nullopt;
    }
    HMODULE program = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(program, name, wideType->c_str());
    if (found == nullptr) {
        return std::nullopt;
    }
    HGLOBAL loaded = LoadResource(program, found);
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr) {
        return std::nullopt;
    }
    return std::span<const std::byte>(static_cast<const std::byte*>(bytes),
                                      SizeofResource(program, found));
}

}  // namespace

std::optional<std::span<const std::byte>> FindProgramResource(std::string_view type, int id) {
    // Resource numbers are 16-bit; anything else would be read as a name.
    if (id < 0 || id > 0xFFFF) {
        return std::nullopt;
    }
    return Load(type, MAKEINTRESOURCEW(id));
}

std::optional<std::span<const std::byte>> FindProgramResource(std::string_view type,
                                                              std::string_view name) {
    auto wideName = DecodeUtf8(name);
    // "#<digits>" names came here as numbers; the system would read any
    // other "#" name as a number too.
    if (!wideName || wideName->empty() || wideName->front() == L'#') {
        return std::nullopt;
    }
    return Load(type, wideName->c_str());
}

}  // namespace platform
