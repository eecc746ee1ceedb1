#pragma once
#include "controls/lists/LListPane.h"
#include "foundation/input/LMouse.h"
#include "tests/ui/frames/FrameTestKit.h"
#include "ui/draw/LPortState.h"

#include <gtest/gtest.h>

#include <vector>

// A list that records what it is asked to draw and the hooks it gets.
class TestList : public LListPane {
public:
    TestList(LPane* parent, uint32_t mode) : LListPane(parent, mode) {}

    void DrawCell(LPortState&, const CLPoint& cell, const CLRect& rect) const override
    {
        drawn.push_back(cell);
        drawnRects.push_back(rect);
    }
    void CellsShifted(int32_t axis, int32_t index, int32_t count) override
    {
        shifts.push_back({axis, index, count});
    }
    void InvalidateCells(const LRegion& region) override
    {
        invalidated.Union(region);
        LListPane::InvalidateCells(region);
    }
    struct Shift {
        int32_t axis, index, count;
        friend bool operator==(const Shift&, const Shift&) = default;
    };
    mutable std::vector<CLPoint> drawn;
    mutable std::vector<CLRect> drawnRects;
    std::vector<Shift> shifts;
    LRegion invalidated;
};

// A root frame under a recording top handler, with the mouse state the lists read.
class ListFixture : public ::testing::Test {
protected:
    // Puts the pointer at a point of the root frame (no window: screen = frame coordinates).
    void PointAt(int32_t x, int32_t y, uint32_t modifiers = 0)
    {
        fMouse.location = {x, y};
        fMouse.modifiers = modifiers;
    }
    void Send(const char* type, LHandler* to) { LMessage::Send(LMessage(type, &fMouse, to)); }
    LRegion Cells(int32_t l, int32_t t, int32_t r, int32_t b) const { return LRegion(CLRect{l, t, r, b}); }

    LMouse fMouse;
    ConsumingRecorder fTop;
    RootFrame fRoot{&fTop};
};

constexpr uint32_t kShiftKey = 0x20000;
constexpr uint32_t kCommandKey = 0x100000;
