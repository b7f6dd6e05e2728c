// Skin images: decoded with stb_image into premultiplied 32-bit pixels.

#include <stb/stb_image.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <mutex>

#include "platform/text/text_codec.h"
#include "ui/render/image/decoded_image_cache.h"
#include "ui/render/image_surface.h"
#include "ui/render/render_engine.h"

namespace VantuUI {

namespace {

std::mutex g_readerMutex;
RenderEngine::ImageReader g_reader;

std::optional<std::vector<std::uint8_t>> ReadFile(const std::wstring& name) {
    std::ifstream in(platform::EncodeUtf8(name), std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

struct StbFree {
    void operator()(stbi_uc* p) const { stbi_image_free(p); }
};

std::unique_ptr<ImageInfo> NewImage(int width, int height) {
    auto image = std::make_unique<ImageInfo>();
    if (!AllocateImagePixels(*image, width, height)) {
        return nullptr;
    }
    BeginPixelAccess(*image);
    return image;
}

std::unique_ptr<ImageInfo> ImageFromDecoded(const DecodedImage& decoded) {
    auto image = NewImage(decoded.width, decoded.height);
    if (!image) {
        return nullptr;
    }
    std::memcpy(image->pixels, decoded.pixels.data(),
                decoded.pixels.size() * sizeof(std::uint32_t));
    image->hasAlpha = decoded.hasAlpha;
    EndPixelAccess(*image);
    return image;
}

std::shared_ptr<const DecodedImage> DecodedFromImage(const ImageInfo& image) {
    auto decoded = std::make_shared<DecodedImage>();
    decoded->width = image.width;
    decoded->height = image.height;
    decoded->hasAlpha = image.hasAlpha;
    decoded->pixels.resize(static_cast<std::size_t>(image.width) * image.height);
    BeginPixelAccess(image);
    std::memcpy(decoded->pixels.data(), image.pixels,
                decoded->pixels.size() * sizeof(std::uint32_t));
    return decoded;
}

// A PNG whose chunks claim more bytes than the file holds is damaged; the
// decoder would first grow its buffer to the claimed length (gigabytes from a
// few hostile bytes), so such files are refused before decoding.
bool PngChunksFitTheFile(const std::uint8_t* data, size_t size) {
    static constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (size < sizeof kSignature || std::memcmp(data, kSignature, sizeof kSignature) != 0) {
        return true;  // not a PNG
    }
    for (size_t at = sizeof kSignature; size - at >= 8;) {
        std::uint64_t length = (std::uint64_t{data[at]} << 24) | (data[at + 1] << 16) |
                               (data[at + 2] << 8) | data[at + 3];
        if (length + 12 > size - at) {
            return false;
        }
        if (std::memcmp(data + at + 4, "IEND", 4) == 0) {
            break;
        }
        at += static_cast<size_t>(length) + 12;
    }
    return true;
}

}  // namespace

ImageInfo::~ImageInfo() {
    ReleaseImagePixels(*this);
}

DWORD ParseColorText(std::wstring_view text) {
    if (!text.empty() && text.front() == L'#') {
        text.remove_prefix(1);
    }
    DWORD value = 0;
    for (wchar_t c : text) {
        int digit = 0;
        if (c >= L'0' && c <= L'9') {
            digit = c - L'0';
        } else if (c >= L'a' && c <= L'f') {
            digit = c - L'a' + 10;
        } else if (c >= L'A' && c <= L'F') {
            digit = c - L'A' + 10;
        } else {
            break;
        }
        value = (value << 4) | static_cast<DWORD>(digit);
    }
    return value;
}

void RenderEngine::SetImageReader(ImageReader reader) {
    std::lock_guard lock(g_readerMutex);
    g_reader = std::move(reader);
}

std::unique_ptr<ImageInfo> RenderEngine::MakeColorImage(DWORD color) {
    auto image = NewImage(1, 1);
    if (!image) {
        return nullptr;
    }
    DWORD a = color >> 24;
    DWORD pixel = color;
    if (a != 255) {
        image->hasAlpha = true;
        auto pre = [a](DWORD c) { return c * a / 255; };
        pixel = (a << 24) | (pre((color >> 16) & 0xFF) << 16) | (pre((color >> 8) & 0xFF) << 8) |
                pre(color & 0xFF);
    }
    std::memcpy(image->pixels, &pixel, 4);
    EndPixelAccess(*image);
    return image;
}

std::unique_ptr<ImageInfo> RenderEngine::LoadImageFromMemory(const std::uint8_t* data, size_t size,
                                                             DWORD mask) {
    if (data == nullptr || size == 0 || size > 0x7FFFFFFF) {
        return nullptr;
    }
    int width = 0;
    int height = 0;
    int channels = 0;
    // The decoder sizes its buffers from the header: a damaged or hostile skin
    // image could otherwise make it ask for gigabytes. Skin images are small.
    constexpr long long kMaxPixels = 32LL << 20;
    if (!PngChunksFitTheFile(data, size) ||
        !stbi_info_from_memory(data, static_cast<int>(size), &width, &height, &channels) ||
        width <= 0 || height <= 0 || static_cast<long long>(width) * height > kMaxPixels) {
        return nullptr;
    }
    if (auto decoded = FindDecodedImage(data, size, mask)) {
        return ImageFromDecoded(*decoded);
    }
    std::unique_ptr<stbi_uc, StbFree> rgba(
        stbi_load_from_memory(data, static_cast<int>(size), &width, &height, &channels, 4));
    if (!rgba || width <= 0 || height <= 0) {
        return nullptr;
    }
    auto image = ImageFromRgba(rgba.get(), width, height, mask);
    if (image) {
        KeepDecodedImage(data, size, mask, DecodedFromImage(*image));
    }
    return image;
}

std::unique_ptr<ImageInfo> RenderEngine::ImageFromRgba(const std::uint8_t* rgba, int width,
                                                       int height, DWORD mask) {
    auto image = NewImage(width, height);
    if (!image) {
        return nullptr;
    }
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* in = rgba + static_cast<size_t>(y) * width * 4;
        auto* out =
            reinterpret_cast<std::uint32_t*>(image->pixels + static_cast<size_t>(y) * width * 4);
        for (int x = 0; x < width; ++x, in += 4) {
            DWORD r = in[0];
            DWORD g = in[1];
            DWORD b = in[2];
            DWORD a = in[3];
            if (a != 255) {
                image->hasAlpha = true;
                r = r * a / 255;
                g = g * a / 255;
                b = b * a / 255;
            }
            DWORD pixel = (a << 24) | (r << 16) | (g << 8) | b;
            if (pixel == mask) {
                pixel = 0;
                image->hasAlpha = true;
            }
            out[x] = pixel;
        }
    }
    EndPixelAccess(*image);
    return image;
}

std::unique_ptr<ImageInfo> RenderEngine::LoadSkinImage(const std::wstring& name,
                                                       const std::wstring* type, DWORD mask) {
    if (type != nullptr && *type == L"*COLOR*") {
        return MakeColorImage(ParseColorText(name));
    }
    std::optional<std::vector<std::uint8_t>> bytes;
    {
        std::lock_guard lock(g_readerMutex);
        if (g_reader) {
            bytes = g_reader(name, type);
        }
    }
    if (!bytes && type == nullptr) {
        bytes = ReadFile(name);
    }
    if (!bytes) {
        return nullptr;
    }
    auto image = LoadImageFromMemory(bytes->data(), bytes->size(), mask);
    if (image && type != nullptr) {
        image->resType = *type;
    }
    return image;
}

void RenderEngine::FreeSkinImage(ImageInfo* image, bool deleteRecord) {
    if (image == nullptr) {
        return;
    }
    if (deleteRecord) {
        delete image;
        return;
    }
    ReleaseImagePixels(*image);
    image->unadjusted.clear();
}

}  // namespace VantuUI
