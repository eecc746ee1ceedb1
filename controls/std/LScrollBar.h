#pragma once
#include "controls/std/LStdCtl.h"

namespace plat {
class Scroller;
}

// A scroll bar over a native scroller. The scroller reports the part the user hit; the bar
// moves its value by a line or a page when that report comes back to it unclaimed and then
// reports "LScrollBar_Change".
class LScrollBar : public LStdCtl {
public:
    static const char* msgChange;
    static const char* msgPgUp;
    static const char* msgThumb;
    static const char* msgPgDw;
    static const char* msgUp;
    static const char* msgDw;
    enum : uint32_t { kHorizontal = 0, kVertical = 1 };

    LScrollBar(LPane* parent, uint32_t orientation, bool continuous);

    int32_t GetValue() const;
    void SetValue(int32_t value);
    void SetRange(int32_t value, int32_t minimum, int32_t maximum, int32_t page);
    int32_t Minimum() const { return fMinimum; }
    int32_t Maximum() const { return fMaximum; }
    int32_t Page() const { return fPage; }
    bool IsVertical() const { return fOrientation == kVertical; }

    void HandleMessage(LMessage& result, const LMessage& msg) override;
    void StateChanged(int32_t event) override;
    int32_t PrefWidth(LPaneContext* context, int32_t hint) override;
    int32_t PrefHeight(LPaneContext* context, int32_t hint) override;
    void Action() override;

private:
    plat::Scroller* Scroller() const;
    // The scroller width for the control's window: small in floating windows, 16 without a window.
    int32_t ScrollerWidth() const;

    uint32_t fOrientation;
    int32_t fPage = 1;
    uint8_t fContinuous;
    int32_t fMinimum = 0;
    int32_t fMaximum = 0;
};
