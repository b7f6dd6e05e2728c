#pragma once

// An animated GIF (element "GifAnim") stretched over the control and played
// with one timer of the paint manager, each frame for its own delay.

#include <chrono>
#include <optional>
#include <string>

#include "ui/control/control.h"
#include "ui/render/image/gif_frames.h"

namespace VantuUI {

class CGifAnimUI : public CControlUI {
  public:
    // The animation's key among the control's timers.
    static constexpr UINT kAnimationTimerKey = 100;

    CGifAnimUI();
    ~CGifAnimUI() override;

    std::wstring GetClass() const override;
    void* FindInterface(const std::wstring& name) override;
    UINT GetInputFlags() override;
    HWND GetChildWindow() override;
    void SetVisible(bool visible = true) override;
    void InitHook() override;
    void HandleEvent(TInputEventUI& event) override;
    void SetAttribute(const std::wstring& name, const std::wstring& value) override;
    bool PaintContent(HDC dc, const RECT& paintRect, CControlUI* stop) override;

    // A new file name drops the loaded animation; the file is read at the
    // next paint. The current name changes nothing.
    void SetGifImage(const std::wstring& name);
    const std::wstring& GetGifImage() const { return m_imageName; }
    void SetAutoPlay(bool autoPlay) { m_autoPlay = autoPlay; }
    bool IsAutoPlay() const { return m_autoPlay; }
    void SetAutoSize(bool autoSize) { m_autoSize = autoSize; }
    bool IsAutoSize() const { return m_autoSize; }

    void PlayGif();
    // Stops on the frame shown; PlayGif goes on from there.
    void PauseGif();
    // Stops and goes back to the first frame.
    void StopGif();
    bool IsPlaying() const { return m_playing; }
    bool HasImage() const { return m_gif.has_value(); }
    int FrameCount() const;
    int CurrentFrame() const { return m_currentFrame; }

  private:
    void LoadGif();
    void ReleaseGif();
    void AdvanceFrame();
    // How long frame `index` shows, in milliseconds.
    UINT FrameDelay(int index) const;
    // Starts the timer for the current frame, due `delay` ms after `from`.
    void ScheduleFrame(std::chrono::steady_clock::time_point from, UINT delay);

    std::wstring m_imageName;
    std::optional<GifFrames> m_gif;
    int m_currentFrame = 0;
    bool m_autoPlay = false;
    bool m_autoSize = false;
    bool m_playing = false;
    // When the current frame is due to end: ticks that come late are made
    // up in the next frame's wait, so a busy window keeps the file's pace.
    std::chrono::steady_clock::time_point m_frameEnd{};
};

}  // namespace VantuUI
