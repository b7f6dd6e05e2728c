#pragma once

// The language the user reads programs in, which the system's resource
// lookup prefers among a resource's translations (GetUserDefaultUILanguage);
// none on Linux.

#include <cstdint>
#include <optional>

namespace platform {

std::optional<std::uint16_t> UserInterfaceLanguage();

}  // namespace platform
