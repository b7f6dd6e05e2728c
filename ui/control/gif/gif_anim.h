#pragma once

// An animated GIF (element "GifAnim") stretched over the control and played
// with one timer of the paint manager, each frame for its own delay.

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

    std::wstring m_imageName;
    std::optional<GifFrames> m_gif;
    int m_currentFrame = 0;
    bool m_autoPlay = false;
    bool m_autoSize = false;
    bool m_playing = false;
};

}  // namespace VantuUI
