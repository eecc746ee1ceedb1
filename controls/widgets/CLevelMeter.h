#pragma once
#include "controls/CColor.h"
#include "ui/LImageRef.h"
#include "ui/LTimer.h"
#include "ui/panes/LPane.h"

#include <cstdint>

// A bar showing a level between 0 and a maximum: standing when the pane is taller than wide,
// else lying and growing from the left. It paints in its colour, or, without one, shows the lit
// image over the bar and the unlit image over the rest. Mouse-transparent.
class CLevelMeter : public LPane {
public:
    explicit CLevelMeter(LPane* parent);
    ~CLevelMeter() override;

    int32_t Max() const { return fMax; }
    int32_t Level() const { return fLevel; }
    // Stores the maximum; the bar is redrawn with the next level.
    void SetMax(int32_t max);
    // Limits the level to 0...max and redraws the strip that changed.
    void SetLevel(int32_t level);
    // Pixels always shown at the base of the bar.
    void SetBaseLength(int32_t length) { fBaseLength = length; }
    // A null colour makes the meter draw with its images.
    void SetColor(const CColorRef& colour) { fColour = colour; }
    void SetImages(const LImageRef& unlit, const LImageRef& lit);
    // When the level starts to fall by one step per period; the owner arms the decay timer.
    void SetNextDecay(uint32_t ms) { fNextDecay = ms; }
    LTimer& DecayTimer() { return fTimer; }
    // The bar's rectangle for a level, in host coordinates.
    CLRect BarRect(int32_t level) const;

    void HandleMessage(LMessage& result, const LMessage& msg) override;
    int32_t PrefWidth(LPaneContext* context, int32_t hint) override;
    int32_t PrefHeight(LPaneContext* context, int32_t hint) override;
    void DrawSelf(LPortState& port) const override;

private:
    void Decay();

    int32_t fMax = 10;
    int32_t fLevel = 0;
    int32_t fBaseLength = 0;
    uint32_t fNextDecay = 0;
    CColorRef fColour;
    LImageRef fUnlit;
    LImageRef fLit;
    LTimer fTimer;
};
