#pragma once
#include "ui/draw/LOffscreen.h"
#include "ui/draw/LPortState.h"

// A drawing port over an offscreen image, clipped to the whole image, for as long as it lives.
class LBitmapContext : public LPortState {
public:
    explicit LBitmapContext(const LOffscreen& offscreen);
    // Ends the drawing (transparent canvas colours) and unlocks the offscreen.
    ~LBitmapContext() override;

private:
    LOffscreen fOffscreen;
};
