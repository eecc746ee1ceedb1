#pragma once
#include "platform/window/Screens.h"

#include <vector>

namespace plat {

class Bitmap;
class EventQueue;
class Window;

// What shows the model's windows on a real desktop. The window model keeps every rule
// (ordering, key window, display cycle); a backend only makes a surface per window, shows
// the images the display cycle paints, reports the screens and turns the desktop's input
// into events.
class WindowBackend {
public:
    virtual ~WindowBackend() = default;
    virtual void CreateSurface(const Window& window) = 0;
    virtual void DestroySurface(const Window& window) = 0;
    // The window's frame, order or visibility changed.
    virtual void UpdateSurface(const Window& window) = 0;
    virtual void Present(const Window& window, const Bitmap& image) = 0;
    virtual std::vector<Screen> ReportScreens() = 0;
    // Posts the input that arrived since the last call.
    virtual void PollInput(EventQueue& queue) = 0;
};

// The backend without a desktop: surfaces are bookkeeping, screens are the configured ones,
// input comes only from the test driver. It counts what it was asked to show.
class HeadlessBackend final : public WindowBackend {
public:
    static HeadlessBackend& Shared();

    void CreateSurface(const Window&) override { ++surfaces; }
    void DestroySurface(const Window&) override { --surfaces; }
    void UpdateSurface(const Window&) override { ++updates; }
    void Present(const Window&, const Bitmap&) override { ++presents; }
    std::vector<Screen> ReportScreens() override { return Screens::All(); }
    void PollInput(EventQueue&) override {}

    int surfaces = 0;
    int updates = 0;
    int presents = 0;
};

} // namespace plat
