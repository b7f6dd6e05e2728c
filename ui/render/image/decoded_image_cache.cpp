#include "ui/render/image/decoded_image_cache.h"

#include <mutex>
#include <string>
#include <unordered_map>

namespace VantuUI {

namespace {

// Enough for every image of the launcher's skins many times over.
constexpr std::size_t kMaxCachedBytes = 32u << 20;

struct Cache {
    std::mutex mutex;
    std::unordered_map<std::string, std::shared_ptr<const DecodedImage>> images;
    std::size_t bytes = 0;
};

Cache& TheCache() {
    static Cache cache;
    return cache;
}

std::string KeyOf(const std::uint8_t* data, std::size_t size, DWORD mask) {
    std::string key(reinterpret_cast<const char*>(&mask), sizeof mask);
    key.append(reinterpret_cast<const char*>(data), size);
    return key;
}

}  // namespace

std::shared_ptr<const DecodedImage> FindDecodedImage(const std::uint8_t* data, std::size_t size,
                                                     DWORD mask) {
    Cache& cache = TheCache();
    std::lock_guard lock(cache.mutex);
    auto found = cache.images.find(KeyOf(data, size, mask));
    return found != cache.images.end() ? found->second : nullptr;
}

void KeepDecodedImage(const std::uint8_t* data, std::size_t size, DWORD mask,
                      std::shared_ptr<const DecodedImage> image) {
    const std::size_t bytes = size + image->pixels.size() * sizeof(std::uint32_t);
    if (bytes > kMaxCachedBytes) {
        return;
    }
    Cache& cache = TheCache();
    std::lock_guard lock(cache.mutex);
    // Simplest bound that keeps the common case: start over when full.
    if (cache.bytes + bytes > kMaxCachedBytes) {
        cache.images.clear();
        cache.bytes = 0;
    }
    if (cache.images.emplace(KeyOf(data, size, mask), std::move(image)).second) {
        cache.bytes += bytes;
    }
}

}  // namespace VantuUI
