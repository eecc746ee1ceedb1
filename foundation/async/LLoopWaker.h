#pragma once
#include <cstdint>

// Made once at start-up; timers of the waking kinds call Wake when they start. The main loop
// re-arms its own timer after every pass, so waking needs no work of its own.
class LLoopWaker {
public:
    LLoopWaker() = default;
    void Wake() {}
    uint8_t flag = 1;
};
