#pragma once
#include "ui/LImageRef.h"
#include "ui/panes/LPane.h"

#include <cstdint>

// A colour swatch that behaves like a push button: an outlined face in the colour with an
// image centred on it, and a shadow that the face sinks into while pressed. Reports
// "CColorBtn::rSelected" to its parent when released inside.
class CColorBtn : public LPane {
public:
    static const char* msgSelected;

    explicit CColorBtn(LPane* parent);

    bool IsPressed() const { return fPressed; }
    uint8_t Red() const { return fRed; }
    uint8_t Green() const { return fGreen; }
    uint8_t Blue() const { return fBlue; }
    void SetColor(uint8_t red, uint8_t green, uint8_t blue);
    void SetImage(const LImageRef& image) { fImage = image; }
    // The button's outline for the pressed or released look, in host coordinates.
    LRegion Shape(bool pressed) const;
    CLRect Face(bool pressed) const;

    void HandleMessage(LMessage& result, const LMessage& msg) override;
    void StateChanged(int32_t event) override;
    int32_t PrefWidth(LPaneContext* context, int32_t hint) override;
    int32_t PrefHeight(LPaneContext* context, int32_t hint) override;
    void DrawSelf(LPortState& port) const override;

private:
    void SetPressed(bool pressed);
    bool MouseInside() const;

    bool fPressed = false;
    uint8_t fRed = 255;
    uint8_t fGreen = 255;
    uint8_t fBlue = 255;
    LImageRef fImage;
};
