#pragma once
#include <cstdint>

class LPortState;

// Saves the port's drawing state (the canvas state and the change flags) and applies the
// pending clip and colours; when it ends the canvas state and the flags come back, so that a
// clip or colour applied inside is applied again by the next scope after it.
class LPortStateScope {
public:
    explicit LPortStateScope(LPortState& port);
    ~LPortStateScope();
    LPortStateScope(const LPortStateScope&) = delete;
    LPortStateScope& operator=(const LPortStateScope&) = delete;

private:
    LPortState& fPort;
    uint8_t fSavedFlags;
};
