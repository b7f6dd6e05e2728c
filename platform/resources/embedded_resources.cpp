#include "platform/resources/embedded_resources.h"

#include <map>
#include <mutex>
#include <string>
#include <utility>

namespace platform {

namespace {

struct Registry {
    std::mutex lock;
    std::map<std::pair<std::string, int>, std::span<const std::byte>, std::less<>> entries;
};

// Built on first use: registrations run from static initialisers of other
// translation units, in no particular order.
Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

}  // namespace

bool RegisterEmbeddedResource(std::string_view type, int id, const void* data, std::size_t size) {
    Registry& registry = TheRegistry();
    std::lock_guard guard(registry.lock);
    registry.entries[{std::string(type), id}] = {static_cast<const std::byte*>(data), size};
    return true;
}

std::optional<std::span<const std::byte>> FindEmbeddedResource(std::string_view type, int id) {
    Registry& registry = TheRegistry();
    std::lock_guard guard(registry.lock);
    auto found = registry.entries.find(std::pair<std::string, int>{std::string(type), id});
    if (found == registry.entries.end()) {
        return std::nullopt;
    }
    return found->second;
}

}  // namespace platform
