// Images by name: the window's table first, then the process's.

#include "ui/core/manager/manager_shared.h"

namespace VantuUI {

namespace {

const ImageInfo* FindImage(const CStringTableUI<std::unique_ptr<ImageInfo>>& table,
                           const std::wstring& name) {
    const std::unique_ptr<ImageInfo>* found = table.Find(name);
    return found != nullptr ? found->get() : nullptr;
}

}  // namespace

const ImageInfo* CWindowManagerUI::RegisterImage(const std::wstring& name, const std::wstring* type,
                                                 DWORD mask, bool useHsl, bool shared) {
    if (name.empty()) {
        return nullptr;
    }
    std::unique_ptr<ImageInfo> image = RenderEngine::LoadSkinImage(name, type, mask);
    if (image == nullptr) {
        return nullptr;
    }
    image->useHsl = useHsl;
    if (useHsl && image->bitmap != nullptr) {
        // Rows are packed: four bytes a pixel.
        const std::size_t bytes =
            static_cast<std::size_t>(image->width) * 4 * static_cast<std::size_t>(image->height);
        image->unadjusted.assign(image->pixels, image->pixels + bytes);
    }
    const bool toShared = shared || m_forceShared;
    auto& table = toShared ? SharedResources().images : m_images;
    auto& retired = toShared ? SharedResources().retiredImages : m_retiredImages;
    const ImageInfo* stored = image.get();
    if (std::unique_ptr<ImageInfo>* old = table.Find(name)) {
        // Controls may still draw the old image: it lives as long as its table.
        retired.push_back(std::move(*old));
        *old = std::move(image);
    } else {
        table.Insert(name, std::move(image));
    }
    return stored;
}

const ImageInfo* CWindowManagerUI::ImageByName(const std::wstring& name) const {
    const ImageInfo* own = FindImage(m_images, name);
    return own != nullptr ? own : FindImage(SharedResources().images, name);
}

const ImageInfo* CWindowManagerUI::ImageByNameOrLoad(const std::wstring& name,
                                                     const std::wstring* type, DWORD mask,
                                                     bool useHsl) {
    const ImageInfo* found = ImageByName(name);
    return found != nullptr ? found : RegisterImage(name, type, mask, useHsl, false);
}

bool CWindowManagerUI::RemoveImage(const std::wstring& name) {
    return m_images.Remove(name);
}

void CWindowManagerUI::RemoveAllImages() {
    m_images.Clear();
    m_retiredImages.clear();
}

void CWindowManagerUI::GetHsl(int& hue, int& saturation, int& lightness) const {
    // The process-wide colour adjustment is never switched on.
    hue = 180;
    saturation = 100;
    lightness = 100;
}

}  // namespace VantuUI
