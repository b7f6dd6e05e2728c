#include "platform/resources/embedded_resources.h"

#include <charconv>
#include <map>
#include <mutex>
#include <string>
#include <utility>
#include <variant>

#include "platform/resources/program_resources.h"

namespace platform {

namespace {

using Key = std::pair<std::string, std::variant<int, std::string>>;

struct Registry {
    std::mutex lock;
    std::map<Key, std::span<const std::byte>> entries;
};

// Built on first use: registrations run from static initialisers of other
// translation units, in no particular order.
Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

bool Register(Key key, const void* data, std::size_t size) {
    Registry& registry = TheRegistry();
    std::lock_guard guard(registry.lock);
    registry.entries[std::move(key)] = {static_cast<const std::byte*>(data), size};
    return true;
}

std::optional<std::span<const std::byte>> Find(const Key& key) {
    Registry& registry = TheRegistry();
    std::lock_guard guard(registry.lock);
    auto found = registry.entries.find(key);
    if (found == registry.entries.end()) {
        return std::nullopt;
    }
    return found->second;
}

// "#123" -> 123.
std::optional<int> IdInName(std::string_view name) {
    if (name.size() < 2 || name[0] != '#') {
        return std::nullopt;
    }
    int id = 0;
    auto [end, error] = std::from_chars(name.data() + 1, name.data() + name.size(), id);
    if (error != std::errc{} || end != name.data() + name.size()) {
        return std::nullopt;
    }
    return id;
}

}  // namespace

bool RegisterEmbeddedResource(std::string_view type, int id, const void* data, std::size_t size) {
    return Register(Key{std::string(type), id}, data, size);
}

bool RegisterEmbeddedResource(std::string_view type, std::string_view name, const void* data,
                              std::size_t size) {
    return Register(Key{std::string(type), std::string(name)}, data, size);
}

std::optional<std::span<const std::byte>> FindEmbeddedResource(std::string_view type, int id) {
    if (auto registered = Find(Key{std::string(type), id})) {
        return registered;
    }
    return FindProgramResource(type, id);
}

std::optional<std::span<const std::byte>> FindEmbeddedResource(std::string_view type,
                                                               std::string_view name) {
    if (auto id = IdInName(name)) {
        return FindEmbeddedResource(type, *id);
    }
    if (auto registered = Find(Key{std::string(type), std::string(name)})) {
        return registered;
    }
    return FindProgramResource(type, name);
}

}  // namespace platform
