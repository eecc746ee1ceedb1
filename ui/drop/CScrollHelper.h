#pragma once
#include "foundation/core/LHandler.h"
#include "foundation/geometry/CLPoint.h"
#include "foundation/geometry/CLRect.h"
#include "ui/LTimer.h"

#include <cstdint>

// Scrolls while a point stays near the edges of a rectangle: after the keyboard's repeat
// delay, once more after another delay, then at the key-repeat interval, it sends
// "CScrollHelper_Scroll" {helper, parent} with the directions to scroll in.
class CScrollHelper : public LHandler {
public:
    static const char* msgScroll;

    explicit CScrollHelper(LHandler* parent);

    // Inside the rect shrunk by the margins nothing scrolls; outside it the directions point
    // to the edges the point is beyond, and the first delay starts.
    void Track(const CLPoint& point, const CLRect& rect, int32_t marginX, int32_t marginY);
    void Stop();

    int32_t DirectionX() const { return fDirX; }
    int32_t DirectionY() const { return fDirY; }
    uint8_t Stage() const { return fStage; }

    void HandleMessage(LMessage& result, const LMessage& msg) override;

private:
    LTimer fTimer;
    int32_t fDirX = 0;
    int32_t fDirY = 0;
    uint8_t fStage = 0; // 0 idle, 1 first delay running, 2 repeating
};
