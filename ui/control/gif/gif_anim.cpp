#include "ui/control/gif/gif_anim.h"

#include <algorithm>

#include "platform/files/file_system.h"
#include "ui/control/attribute_table.h"
#include "ui/control/attribute_values.h"
#include "ui/core/manager/window_manager.h"
#include "ui/core/resource_settings.h"

namespace VantuUI {

namespace {

constexpr std::size_t kMaxGifFileSize = 64u << 20;
// What a frame without a delay of its own shows for.
constexpr UINT kDefaultFrameDelay = 100;

// The file from the skin's source, else the name read as a path.
std::optional<std::vector<std::uint8_t>> ReadGifFile(const std::wstring& name) {
    std::vector<unsigned char> bytes;
    if (CResourceSettings::ReadSkinFile(name, kMaxGifFileSize, bytes) == SkinReadResult::Ok) {
        return bytes;
    }
    if (auto file = platform::ReadFileBytes(name)) {
        return std::vector<std::uint8_t>(file->begin(), file->end());
    }
    return std::nullopt;
}

}  // namespace

CGifAnimUI::CGifAnimUI() = default;

CGifAnimUI::~CGifAnimUI() {
    if (m_manager != nullptr) {
        m_manager->StopTimer(this, kAnimationTimerKey);
    }
}

std::wstring CGifAnimUI::GetClass() const {
    return L"GifAnim";
}

void* CGifAnimUI::FindInterface(const std::wstring& name) {
    if (name == L"GifAnim") {
        return this;
    }
    return CControlUI::FindInterface(name);
}

UINT CGifAnimUI::GetInputFlags() {
    return 0;
}

HWND CGifAnimUI::GetChildWindow() {
    return nullptr;
}

void CGifAnimUI::SetVisible(bool visible) {
    CControlUI::SetVisible(visible);
    if (visible) {
        PlayGif();
    } else {
        StopGif();
    }
}

void CGifAnimUI::InitHook() {
    LoadGif();
}

void CGifAnimUI::HandleEvent(TInputEventUI& event) {
    if (event.Kind == UIEVENT_TIMER && event.wParam == kAnimationTimerKey) {
        AdvanceFrame();
    }
}

void CGifAnimUI::SetAttribute(const std::wstring& name, const std::wstring& value) {
    using Value = const std::wstring&;
    static constexpr auto kAttributes = MakeAttributeTable<CGifAnimUI>({
        {L"bkimage", [](CGifAnimUI& c, Value v) { c.SetGifImage(v); }},
        {L"autoplay", [](CGifAnimUI& c, Value v) { c.SetAutoPlay(ParseBool(v)); }},
        {L"autosize", [](CGifAnimUI& c, Value v) { c.SetAutoSize(ParseBool(v)); }},
    });
    if (!kAttributes.Apply(*this, name, value)) {
        CControlUI::SetAttribute(name, value);
    }
}

bool CGifAnimUI::PaintContent(HDC dc, const RECT& paintRect, CControlUI*) {
    m_paintRect = paintRect;
    if (!m_gif) {
        LoadGif();
    }
    if (dc == nullptr || !m_gif) {
        return true;
    }
    // The frame the timer has reached is the one drawn, so each frame shows
    // for its own delay.
    const ImageInfo& frame = *m_gif->frames[static_cast<std::size_t>(m_currentFrame)];
    RenderEngine::DrawImageGrid(dc, frame.bitmap, m_itemRect, m_paintRect,
                                RECT{0, 0, frame.width, frame.height}, RECT{}, true, 255, false,
                                false, false);
    return true;
}

void CGifAnimUI::SetGifImage(const std::wstring& name) {
    if (name == m_imageName) {
        return;
    }
    m_imageName = name;
    StopGif();
    ReleaseGif();
    Invalidate();
}

int CGifAnimUI::FrameCount() const {
    return m_gif ? static_cast<int>(m_gif->frames.size()) : 0;
}

void CGifAnimUI::PlayGif() {
    if (m_playing || !m_gif || m_manager == nullptr) {
        return;
    }
    ScheduleFrame(std::chrono::steady_clock::now(), FrameDelay(m_currentFrame));
}

void CGifAnimUI::PauseGif() {
    if (!m_playing) {
        return;
    }
    m_manager->StopTimer(this, kAnimationTimerKey);
    m_playing = false;
}

void CGifAnimUI::StopGif() {
    PauseGif();
    if (m_currentFrame != 0) {
        m_currentFrame = 0;
        Invalidate();
    }
}

void CGifAnimUI::LoadGif() {
    if (m_gif || m_imageName.empty()) {
        return;
    }
    auto bytes = ReadGifFile(m_imageName);
    if (!bytes) {
        return;
    }
    m_gif = LoadGifFrames(bytes->data(), bytes->size());
    if (!m_gif || m_gif->frames.empty()) {
        m_gif.reset();
        return;
    }
    m_currentFrame = 0;
    if (m_autoSize) {
        SetFixedWidth(m_gif->frames.front()->width);
        SetFixedHeight(m_gif->frames.front()->height);
    }
    // A still image has nothing to play, and frames without delays are not
    // an animation.
    if (m_autoPlay && m_gif->hasFrameDelays && m_gif->frames.size() > 1) {
        PlayGif();
    }
}

void CGifAnimUI::ReleaseGif() {
    m_gif.reset();
    m_currentFrame = 0;
}

void CGifAnimUI::AdvanceFrame() {
    if (!m_playing || !m_gif) {
        return;
    }
    m_manager->StopTimer(this, kAnimationTimerKey);
    Invalidate();
    m_currentFrame = (m_currentFrame + 1) % FrameCount();
    const auto now = std::chrono::steady_clock::now();
    const UINT delay = FrameDelay(m_currentFrame);
    // Behind by more than a frame (a stalled window): start afresh.
    ScheduleFrame(now - m_frameEnd < std::chrono::milliseconds(delay) ? m_frameEnd : now, delay);
}

void CGifAnimUI::ScheduleFrame(std::chrono::steady_clock::time_point from, UINT delay) {
    m_frameEnd = from + std::chrono::milliseconds(delay);
    const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(
        m_frameEnd - std::chrono::steady_clock::now());
    m_playing = m_manager->StartTimer(this, kAnimationTimerKey,
                                      static_cast<UINT>(std::max<long long>(wait.count(), 1)));
}

UINT CGifAnimUI::FrameDelay(int index) const {
    const auto at = static_cast<std::size_t>(index);
    const int delay = at < m_gif->delays.size() ? m_gif->delays[at] : 0;
    return delay > 0 ? static_cast<UINT>(delay) : kDefaultFrameDelay;
}

}  // namespace VantuUI
