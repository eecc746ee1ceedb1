#pragma once
// A person's clicks and keys through the window model's test driver, on the virtual clock: a
// click is a press held 120 ms and a release; a key is down, 40 ms, up, and 80 ms before the
// next. Between the parts the framework's due timers fire, as the main loop serves them.
#include "platform/Clock.h"
#include "platform/window/PersonTiming.h"
#include "platform/window/WindowTestDriver.h"
#include "tests/support/FireDueTimers.h"

#include <string>

class PersonInput {
public:
    static constexpr uint32_t kHoldMs = plat::PersonTiming::kClickHoldMs;
    static constexpr uint32_t kKeyHoldMs = plat::PersonTiming::kKeyHoldMs;
    static constexpr uint32_t kKeyGapMs = plat::PersonTiming::kKeyPauseMs;
    // Key codes of the keys tests press.
    static constexpr uint16_t kReturn = 36;
    static constexpr uint16_t kTab = 48;
    static constexpr uint16_t kSpace = 49;
    static constexpr uint16_t kEscape = 53;

    PersonInput(plat::WindowTestDriver& driver, plat::ScopedVirtualClock& clock) : fDriver(driver), fClock(clock) {}

    // Lets ms pass and fires the timers that came due.
    void Pass(uint32_t ms)
    {
        fClock.AdvanceMs(ms);
        FireDueTimers();
    }
    void Click(const plat::Point& at, uint32_t modifiers = 0)
    {
        fDriver.PostMouse(plat::EventType::LeftMouseDown, at, modifiers);
        fDriver.DeliverAll();
        Pass(kHoldMs);
        fDriver.PostMouse(plat::EventType::LeftMouseUp, at, modifiers);
        fDriver.DeliverAll();
        Pass(kKeyGapMs);
    }
    void Key(const std::string& characters, uint16_t keyCode, uint32_t modifiers = 0)
    {
        fDriver.PostKey(plat::EventType::KeyDown, characters, keyCode, modifiers);
        fDriver.DeliverAll();
        Pass(kKeyHoldMs);
        fDriver.PostKey(plat::EventType::KeyUp, characters, keyCode, modifiers);
        fDriver.DeliverAll();
        Pass(kKeyGapMs);
    }
    // Letters, digits and spaces, one key each.
    void Type(const std::string& text)
    {
        for (char c : text)
            Key(std::string(1, c), c == ' ' ? kSpace : 0);
    }

private:
    plat::WindowTestDriver& fDriver;
    plat::ScopedVirtualClock& fClock;
};
