#pragma once
#include "platform/draw/Canvas.h"
#include "platform/window/Screens.h"

#include <optional>
#include <string>
#include <vector>

namespace plat {

class Bitmap;
class EventQueue;
class Window;

// What shows the model's windows on a real desktop. The window model keeps every rule
// (ordering, key window, display cycle, menu tracking); a backend only makes a surface per
// window, shows the images the display cycle paints, reports the screens, turns the
// desktop's input and window-manager changes into events and model calls, and carries the
// clipboard text. Main thread only.
class WindowBackend {
public:
    virtual ~WindowBackend() = default;
    virtual void CreateSurface(const Window& window) = 0;
    virtual void DestroySurface(const Window& window) = 0;
    // The window's frame, order, title or visibility changed.
    virtual void UpdateSurface(const Window& window) = 0;
    // Shows the window's image; only the dirty rectangles (whole pixels, top-left origin)
    // changed since the last present. An empty list means the whole image.
    virtual void Present(const Window& window, const Bitmap& image, const std::vector<PixelRect>& dirty) = 0;
    virtual std::vector<Screen> ReportScreens() = 0;
    // Posts the input that arrived since the last call; window-manager moves, resizes,
    // closes and focus changes reach the model here too.
    virtual void PollInput(EventQueue& queue) = 0;
    // The desktop clipboard's text; none when it holds no text or there is no desktop.
    virtual std::optional<std::string> ClipboardText() { return std::nullopt; }
    virtual void SetClipboardText(const std::string&) {}
    // Counts the desktop clipboard's changes, so that readers may keep what they read until
    // it moves.
    virtual uint64_t ClipboardChanges() const { return 0; }
    // Whether the desktop carries the clipboard (false: the general pasteboard is in-process).
    virtual bool HasDesktopClipboard() const { return false; }
    // The window goes to the window manager's icons, or comes back from them.
    virtual void SetIconified(const Window&, bool) {}
    // Text input (composed characters) is wanted while a text field has the keyboard.
    virtual void SetTextInput(bool) {}
    // Where the desktop's pointer is, in screen coordinates (bottom-left origin); none when
    // the backend cannot tell, and the model answers from what it saw.
    virtual std::optional<Point> PointerLocation() const { return std::nullopt; }
};

// The backend without a desktop: surfaces are bookkeeping, screens are the configured ones,
// input comes only from the test driver. It counts what it was asked to show.
class HeadlessBackend final : public WindowBackend {
public:
    static HeadlessBackend& Shared();

    void CreateSurface(const Window&) override { ++surfaces; }
    void DestroySurface(const Window&) override { --surfaces; }
    void UpdateSurface(const Window&) override { ++updates; }
    void Present(const Window&, const Bitmap&, const std::vector<PixelRect>&) override { ++presents; }
    std::vector<Screen> ReportScreens() override { return Screens::All(); }
    void PollInput(EventQueue&) override {}

    int surfaces = 0;
    int updates = 0;
    int presents = 0;
};

} // namespace plat
