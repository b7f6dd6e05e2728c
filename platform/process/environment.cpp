#include "platform/process/environment.h"

#include <cstdlib>

namespace platform {

bool HasEnvironmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

}  // namespace platform
