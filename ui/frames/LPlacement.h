#pragma once
#include "foundation/geometry/CLPoint.h"
#include "foundation/geometry/CLRect.h"

#include <cstdint>
#include <optional>
#include <vector>

class LFrame;

// Cascade placement of new document windows: the window moves by steps until no other visible
// window has its content's top-left corner near the spot.
class LPlacement {
public:
    enum Mode : uint32_t { kAcrossThenDown = 0, kDownThenAcross = 1, kDiagonal = 2 };

    // Diagonal steps of 18 by 18.
    void InitCascade();
    // Moves the frame's window to the first spot where no other visible window sits; a window
    // that finds none stays where it is.
    void Apply(LFrame& frame) const;
    // The free spot for a window with content rect `content`, frame right/bottom `frameEnd`,
    // on a screen whose visible area ends at `screenEnd`, among windows whose content top-left
    // corners are `others` (front to back); none when it gives up.
    std::optional<CLPoint> FindSpot(const CLRect& content, const CLPoint& frameEnd, const CLPoint& screenEnd,
                                    const std::vector<CLPoint>& others) const;

    uint32_t mode = kAcrossThenDown;
    uint32_t stepX = 0;
    uint32_t stepY = 0;

private:
    bool IsTaken(const CLPoint& spot, const std::vector<CLPoint>& others) const;
    // One step from `spot`; false when the walk gives up.
    bool Step(CLPoint& spot, const CLRect& content, const CLPoint& frameEnd, const CLPoint& screenEnd) const;
};
