#pragma once
#include "platform/window/WindowBackend.h"

#include <memory>
#include <string>

namespace plat {

// The desktop backend: every on-screen window of the model is a real top-level window of the
// X display, through SDL's x11 video driver. Document windows are normal windows, panels
// utility windows transient for the main window, modal panels modal for it, open menus
// pop-up-menu windows. The window manager's moves, resizes, closes and focus changes reach
// the model as the user's own; input becomes the model's events; the display's connection
// is a run-loop source, so an idle program sleeps. Main thread only.
class SdlBackend final : public WindowBackend {
public:
    // Starts SDL's video on the X display named by DISPLAY; null, with the reason in error,
    // when there is no display or SDL cannot use it.
    static std::unique_ptr<SdlBackend> Start(std::string* error);
    ~SdlBackend() override;
    SdlBackend(const SdlBackend&) = delete;
    SdlBackend& operator=(const SdlBackend&) = delete;

    void CreateSurface(const Window& window) override;
    void DestroySurface(const Window& window) override;
    void UpdateSurface(const Window& window) override;
    void Present(const Window& window, const Bitmap& image, const std::vector<PixelRect>& dirty) override;
    std::vector<Screen> ReportScreens() override;
    void PollInput(EventQueue& queue) override;
    std::optional<std::string> ClipboardText() override;
    void SetClipboardText(const std::string& text) override;
    uint64_t ClipboardChanges() const override;
    bool HasDesktopClipboard() const override { return true; }
    void SetTextInput(bool on) override;
    // Asks the X server where the pointer is.
    std::optional<Point> PointerLocation() const override;
    void SetIconified(const Window& window, bool iconified) override;

    // The X window that shows a model window; 0 while it has none (tests and benchmarks).
    unsigned long NativeWindow(uint32_t windowNumber) const;

    struct Impl;

private:
    SdlBackend();
    std::unique_ptr<Impl> fImpl;
};

} // namespace plat
