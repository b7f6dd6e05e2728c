#pragma once

// The resources the program file itself carries, apart from those registered
// at run time (embedded_resources.h): on Windows its resource section, made
// by windres from what the build embeds. On Linux the build registers its
// resources instead (cmake/embed_resource.cmake) and the file carries none.

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

namespace platform {

std::optional<std::span<const std::byte>> FindProgramResource(std::string_view type, int id);
std::optional<std::span<const std::byte>> FindProgramResource(std::string_view type,
                                                              std::string_view name);

}  // namespace platform
