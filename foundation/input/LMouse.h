#pragma once
#include "foundation/holders/CCFRef.h"
#include "foundation/geometry/CLPoint.h"
#include "foundation/core/LHandler.h"

#include <cstdint>

class CNativeCursor;
namespace plat {
class Event;
}

// The state of the pointer: the subject of every pointer message ("LMouse_Click",
// "LMouse_Move", "LMouse_Wheel", ...), so that a handler reads the event from it. The window
// bridge fills the fields from each platform event before it sends. One instance exists while
// the program runs; it has no parent.
class LMouse : public LHandler {
public:
    LMouse();
    ~LMouse() override;
    // The program's mouse state (the one made last and still alive); null when none.
    static LMouse* Current();
    // Fills the state from a pointer event of the window system: position in screen
    // coordinates, modifiers, the event itself, and for a new left-button press the click
    // times and places. Sets the pending flag.
    void UpdateFromEvent(const plat::Event& event);

    // A pointer message that climbed its chain unconsumed comes back here: the pending flag
    // is cleared, so after a send it tells whether some handler took the event.
    void HandleMessage(LMessage& result, const LMessage& msg) override;

    // True when the caller saw the previous click (its cookie is the click stamp) and this
    // click came within the double-click interval. The stamp and the cookie then take the
    // time of this click, so a click another window received never pairs with ours.
    bool IsDoubleClick(uint32_t& cookie);
    // The handler that receives the pointer messages; null releases the capture.
    void SetCapture(LHandler* handler) { capture = handler; }
    LHandler* Capture() const { return capture; }
    // Records the wheel movement that the main loop delivers.
    void SetWheelSample(const CLPoint& where, int32_t dx, int32_t dy, uint32_t modifierFlags);
    // A new left-button press: the current click becomes the previous one.
    void RecordClick(const CLPoint& where, uint32_t timeMs);

    // Modifier keys held with the current event.
    bool IsShift() const { return modifiers & 0x20000; }
    bool IsControl() const { return modifiers & 0x40000; }
    bool IsOption() const { return modifiers & 0x80000; }
    bool IsCommand() const { return modifiers & 0x100000; }
    // The wheel movement being delivered.
    int32_t GetWheelX() const { return wheelDx; }
    int32_t GetWheelY() const { return wheelDy; }
    // Whole steps of `step` units in the wheel movement (any step below 2 counts single units),
    // the rest carried to the next call; 0 without movement. A limit of 1 or more bounds the
    // answer to -limit ... limit.
    int32_t TakeWheelStepsX(int32_t limit, int32_t step) { return TakeWheelSteps(wheelDx, wheelCarryX, limit, step); }
    int32_t TakeWheelStepsY(int32_t limit, int32_t step) { return TakeWheelSteps(wheelDy, wheelCarryY, limit, step); }

    // Shows a standard cursor: 2 the I-beam, 3 the crosshair, any other shape the arrow.
    static void SetCursor(int32_t shape);
    // Shows the cursor object; null shows the arrow.
    static void SetCursorObject(CNativeCursor* cursor);

    CLPoint location;          // screen coordinates, y downward
    uint32_t modifiers = 0;
    uint32_t clickTime = 0;    // ms of the current click
    uint32_t prevClickTime = 0;
    CLPoint prevClickLocation;
    CLPoint clickLocation;
    uint32_t clickStamp = 0;
    LHandler* capture = nullptr;
    int32_t wheelDx = 0;
    int32_t wheelDy = 0;
    CCFRef event;              // the platform event being handled
    uint8_t pending = 0;
    int64_t lastPressNumber = 0; // event number of the last left-button press counted as a click
    int32_t wheelCarryX = 0;   // wheel units left over from the last step count
    int32_t wheelCarryY = 0;

private:
    static int32_t TakeWheelSteps(int32_t delta, int32_t& carry, int32_t limit, int32_t step);
};
