#pragma once
#include "ui/panes/LPane.h"

#include <cstdint>

// A two-dimensional pad on which the mouse places a point, measured from the pad's centre with
// y downward. A click without a drag leaves the point following the hovering mouse until the
// next click; a drag moves it only while the button is down. Sends "CPadPane_Change" whenever
// the mouse moves the point and after every size change.
class CPadPane : public LPane {
public:
    static const char* msgChange;
    // Width of the list-box frame drawn around the pad.
    static constexpr int32_t kFrameWidth = 3;

    explicit CPadPane(LPane* parent);
    ~CPadPane() override;

    CLPoint Point() const { return {fX, fY}; }
    bool IsFollowing() const { return fFollow; }
    // Limits the point to the pad and sets it.
    void SetPointClamped(int32_t x, int32_t y);
    // Sets the point and redraws what changed; false when it was already there.
    virtual bool SetPoint(int32_t x, int32_t y);

    void HandleMessage(LMessage& result, const LMessage& msg) override;
    void RectChanged(const CLRect& old) override;
    bool Overlaps(const LRegion& region) const override;
    void DrawSelf(LPortState& port) const override;

protected:
    // The plus-shaped marker at a point, in host coordinates.
    LRegion Marker(int32_t x, int32_t y) const;
    // The point's position in host coordinates.
    CLPoint PointPosition(int32_t x, int32_t y) const;
    void StorePoint(int32_t x, int32_t y);

private:
    void MoveToMouse();
    void Report();

    int32_t fX = 0;
    int32_t fY = 0;
    bool fFollow = false;
};

// The colour window's pad: a black field with a line from the bottom centre to the point.
class CPadPane2 : public CPadPane {
public:
    explicit CPadPane2(LPane* parent);
    ~CPadPane2() override;

    bool SetPoint(int32_t x, int32_t y) override;
    void DrawSelf(LPortState& port) const override;
};
