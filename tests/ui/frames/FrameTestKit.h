#pragma once
#include "tests/ui/panes/PaneTestKit.h"
#include "ui/frames/LFrame.h"
#include "ui/draw/LFillRegionOp.h"
#include "foundation/core/LString.h"
#include "foundation/input/LKeyboard.h"

// A root frame standing in for a window's frame: shown, active, in the key window and holding
// the focus, so that focus requests end in visible focus.
struct RootFrame : LFrame {
    explicit RootFrame(LHandler* parent) : LFrame(parent, nullptr)
    {
        for (int32_t e : {kEventHostShow, kEventActivate, kEventKeyWindow, kEventFocus})
            SetState(e);
        SetRect({0, 0, 400, 300});
    }
};

// A Tab stop.
struct StopPane : LPane {
    StopPane(LFrame* host, const CLRect& rect) : LPane(host, host)
    {
        SetRect(rect);
        SetState(kEventTakeFocus);
    }
};

// A pane that paints its rectangle black.
struct BlackPane : LPane {
    using LPane::LPane;
    void DrawSelf(LPortState& port) const override
    {
        LFillRegionOp(LRegion(Rect()), CColorRef(CColor::Grey(0))).Draw(port);
    }
};
