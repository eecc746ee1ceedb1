#pragma once
#include "foundation/geometry/CLRect.h"
#include "foundation/geometry/LRegion.h"

#include <cstdint>

class LPortState;

// A decoration a pane draws around its rectangle (a themed frame, a ring, a bevel). State bits
// are the pane's: 0x1 shown, 0x2 active, 0x4 focused.
class LFrameDecor {
public:
    enum : uint32_t { kShown = 0x1, kActive = 0x2, kFocused = 0x4 };

    virtual ~LFrameDecor() = default;
    // Pixels of frame outside the pane's rectangle.
    virtual int32_t FrameWidth() const = 0;
    // Adds what the decoration covers in this state to both regions.
    virtual void AddFrameArea(const CLRect& rect, uint32_t state, LRegion& update, LRegion& erase) const = 0;
    virtual void Draw(LPortState& port, const CLRect& rect, uint32_t state) const = 0;
};
