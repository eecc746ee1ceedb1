#include "platform/window/PresentPacer.h"
#include "platform/Clock.h"
#include "platform/draw/Bitmap.h"
#include "platform/runloop/RunLoopTimer.h"
#include "platform/window/Window.h"
#include "platform/window/WindowBackend.h"
#include "platform/window/WindowServer.h"

#include <algorithm>
#include <limits>

namespace plat {

namespace {

bool Contains(const PixelRect& outer, const PixelRect& inner)
{
    return inner.x >= outer.x && inner.y >= outer.y && inner.x + inner.width <= outer.x + outer.width
        && inner.y + inner.height <= outer.y + outer.height;
}

// Adds a rectangle to a list unless one already there holds it; drops the ones it holds.
void AddRect(std::vector<PixelRect>& rects, const PixelRect& r)
{
    if (r.width <= 0 || r.height <= 0)
        return;
    for (const PixelRect& have : rects)
        if (Contains(have, r))
            return;
    std::erase_if(rects, [&r](const PixelRect& have) { return Contains(r, have); });
    rects.push_back(r);
}

} // namespace

uint64_t PresentPacer::DueUs(const Pending& pending, uint64_t nowUs)
{
    // A clock that went back (another clock installed) must not hold the window back for long.
    if (!pending.shown || nowUs < pending.lastUs)
        return nowUs;
    return pending.lastUs + kPeriodUs;
}

PresentPacer& PresentPacer::Shared()
{
    // Never destroyed: its timer belongs to the main thread's run loop, which goes first.
    static PresentPacer* pacer = new PresentPacer();
    return *pacer;
}

void PresentPacer::Changed(const Window& window, const std::vector<PixelRect>& rects)
{
    Pending& pending = fWindows[window.Number()];
    for (const PixelRect& r : rects)
        AddRect(pending.rects, r);
    if (!pending.rects.empty())
        Arm();
}

void PresentPacer::PresentNow(const Window& window, const Bitmap& image, const std::vector<PixelRect>& dirty)
{
    std::vector<PixelRect> rects;
    if (!dirty.empty()) {
        auto found = fWindows.find(window.Number());
        rects = found != fWindows.end() ? found->second.rects : std::vector<PixelRect>{};
        for (const PixelRect& r : dirty)
            AddRect(rects, r);
    }
    // Windows that are gone leave their entries behind; they are dropped now and then.
    constexpr size_t kManyWindows = 64;
    if (fWindows.size() > kManyWindows)
        std::erase_if(fWindows, [](const auto& entry) { return !WindowServer::Shared().WithNumber(entry.first); });
    Pending& pending = fWindows[window.Number()];
    pending.rects.clear();
    pending.lastUs = NowUs();
    pending.shown = true;
    WindowServer::Shared().Backend().Present(window, image, rects);
}

void PresentPacer::PresentDue()
{
    const uint64_t now = NowUs();
    for (auto it = fWindows.begin(); it != fWindows.end();) {
        Window* window = WindowServer::Shared().WithNumber(it->first);
        Pending& pending = it->second;
        if (!window) {
            it = fWindows.erase(it);
            continue;
        }
        const bool due = now >= DueUs(pending, now);
        const Bitmap* image = window->BackingImage();
        if (due && !pending.rects.empty()) {
            if (window->IsVisible() && image && !image->Empty()) {
                const std::vector<PixelRect> rects = pending.rects;
                PresentNow(*window, *image, rects);
            } else {
                pending.rects.clear(); // nothing on screen to show them in
            }
        }
        ++it;
    }
    Arm();
}

bool PresentPacer::Waiting(const Window& window) const
{
    auto found = fWindows.find(window.Number());
    return found != fWindows.end() && !found->second.rects.empty();
}

void PresentPacer::Arm()
{
    const uint64_t now = NowUs();
    uint64_t dueUs = std::numeric_limits<uint64_t>::max();
    for (const auto& [number, pending] : fWindows)
        if (!pending.rects.empty())
            dueUs = std::min(dueUs, DueUs(pending, now));
    if (dueUs == std::numeric_limits<uint64_t>::max()) {
        if (fTimer)
            fTimer->Disarm();
        return;
    }
    const uint64_t dueMs = (dueUs + 999) / 1000;
    if (!fTimer)
        fTimer = std::make_unique<RunLoopTimer>(RunLoop::Current(), [this] { PresentDue(); });
    else if (fTimer->Armed() && fArmedMs == dueMs)
        return;
    fArmedMs = dueMs;
    fTimer->FireAt(dueMs);
}

} // namespace plat
