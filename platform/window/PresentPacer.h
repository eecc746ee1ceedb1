#pragma once
#include "platform/draw/Canvas.h"

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

namespace plat {

class Bitmap;
class RunLoopTimer;
class Window;

// Shows the parts of windows' images that drawing loops changed at most once per display
// period. A loop that draws faster than the display refreshes (or draws one window in many
// pieces) notes its changes here; they are shown together when the window's period since its
// last showing is over, from a timer of the main thread's run loop. The display cycle's own
// showing takes the noted changes along and starts the window's period anew. Main thread only.
class PresentPacer {
public:
    // One display period: 60 per second.
    static constexpr uint64_t kPeriodUs = 16667;

    static PresentPacer& Shared();

    // These pixels of the window's image (whole pixels, top-left origin) changed; they are
    // shown at the window's next display period.
    void Changed(const Window& window, const std::vector<PixelRect>& rects);
    // Shows the window's image now: `dirty` and whatever was noted for the window (an empty
    // `dirty` means the whole image).
    void PresentNow(const Window& window, const Bitmap& image, const std::vector<PixelRect>& dirty);
    // Shows the noted changes of every window whose period is over; the timer calls it.
    void PresentDue();
    // True while changes of the window wait for their display period.
    bool Waiting(const Window& window) const;

private:
    PresentPacer() = default;
    struct Pending {
        std::vector<PixelRect> rects;
        uint64_t lastUs = 0;   // when the window was last shown
        bool shown = false;    // it was shown at least once
    };
    // When the window's noted changes are to be shown.
    static uint64_t DueUs(const Pending& pending, uint64_t nowUs);
    void Arm();

    std::map<uint32_t, Pending> fWindows; // by window number
    std::unique_ptr<RunLoopTimer> fTimer;
    uint64_t fArmedMs = 0;
};

} // namespace plat
