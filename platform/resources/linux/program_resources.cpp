#include "platform/resources/program_resources.h"

namespace platform {

std::optional<std::span<const std::byte>> FindProgramResource(std::string_view, int) {
    return std::nullopt;
}

std::optional<std::span<const std::byte>> FindProgramResource(std::string_view, std::string_view) {
    return std::nullopt;
}

}  // namespace platform
