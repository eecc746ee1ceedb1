#include "controls/widgets/CColorBtn.h"
#include "controls/CColor.h"
#include "controls/std/PaneMouse.h"
#include "foundation/core/StrEqual.h"
#include "foundation/input/LMouse.h"
#include "ui/draw/LFillRegionOp.h"
#include "ui/draw/LPortState.h"

const char* CColorBtn::msgSelected = "CColorBtn::rSelected";

namespace {

constexpr const char* kMouseClick = "LMouse_Click";
constexpr const char* kMouseMove = "LMouse_Move";
constexpr const char* kMouseRelease = "LMouse_Release";

constexpr uint32_t kOutlineIndex = 2;
constexpr uint32_t kFaceIndex = 4;

LRegion RectsOf(const CLRect& a, const CLRect& b)
{
    LRegion region(a);
    region.Union(LRegion(b));
    return region;
}

} // namespace

CColorBtn::CColorBtn(LPane* parent) : LPane(parent, parent) {}

void CColorBtn::SetColor(uint8_t red, uint8_t green, uint8_t blue)
{
    fRed = red;
    fGreen = green;
    fBlue = blue;
    Invalidate(LRegion(Rect()), LRegion());
}

LRegion CColorBtn::Shape(bool pressed) const
{
    const CLRect& r = Rect();
    if (pressed)
        return RectsOf({r.left, r.top + 2, r.right - 1, r.bottom - 1}, {r.left + 1, r.top + 1, r.right - 2, r.bottom});
    LRegion shape = RectsOf({r.left, r.top + 1, r.right - 1, r.bottom - 2}, {r.left + 1, r.top, r.right - 2, r.bottom - 1});
    LRegion shadow = shape;
    shadow.Offset(1, 1);
    shape.Union(shadow);
    return shape;
}

CLRect CColorBtn::Face(bool pressed) const
{
    const CLRect& r = Rect();
    if (pressed)
        return {r.left + 1, r.top + 2, r.right - 2, r.bottom - 1};
    return {r.left + 1, r.top + 1, r.right - 2, r.bottom - 2};
}

void CColorBtn::SetPressed(bool pressed)
{
    if (pressed == fPressed)
        return;
    const LRegion before = Shape(fPressed);
    const LRegion after = Shape(pressed);
    fPressed = pressed;
    LRegion update = before;
    update.Union(after);
    LRegion erase = before;
    erase.Subtract(after);
    Invalidate(update, erase);
}

bool CColorBtn::MouseInside() const
{
    return Rect().Contains(MouseInPane(*this));
}

void CColorBtn::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (msg.subject && msg.subject == LMouse::Current()) {
        if (StrEqual(msg.type, kMouseClick)) {
            SetPressed(true);
            LMessage::Make(result, msgReqCapture, this, Parent());
            return;
        }
        if (StrEqual(msg.type, kMouseMove)) {
            SetPressed(MouseInside());
            LMessage::Clear(result);
            return;
        }
        if (StrEqual(msg.type, kMouseRelease)) {
            SetPressed(false);
            if (MouseInside())
                LMessage::Make(result, msgSelected, this, Parent());
            else
                LMessage::Clear(result);
            return;
        }
    }
    LPane::HandleMessage(result, msg);
}

void CColorBtn::StateChanged(int32_t event)
{
    LPane::StateChanged(event);
    if (event == kEventEnable || event == kEventDisable)
        Invalidate(Shape(fPressed), LRegion());
}

int32_t CColorBtn::PrefWidth(LPaneContext*, int32_t)
{
    return int32_t(fImage->GetSize() & 0xFFFFFFFFu) + 5;
}

int32_t CColorBtn::PrefHeight(LPaneContext*, int32_t)
{
    return int32_t(fImage->GetSize() >> 32) + 5;
}

void CColorBtn::DrawSelf(LPortState& port) const
{
    const CLRect face = Face(fPressed);
    LRegion outline = Shape(fPressed);
    outline.Subtract(LRegion(face));
    const bool enabled = HasFlags(kPaneEnabled);
    const uint8_t edge = enabled ? 0 : 0x80;
    LFillRegionOp(outline, CColorRef(CColor::FromRGB(edge, edge, edge, kOutlineIndex, 1.0f))).Draw(port);

    const uint64_t size = fImage->GetSize();
    const auto imageW = int32_t(size & 0xFFFFFFFFu);
    const auto imageH = int32_t(size >> 32);
    CLRect imageRect{0, 0, imageW, imageH};
    imageRect.Offset(face.left + int32_t((face.Width() - imageW) / 2), face.top + int32_t((face.Height() - imageH) / 2));
    LRegion swatch(face);
    if (!imageRect.IsEmpty()) {
        const LRegion shape = fImage->GetShapeRegion(imageRect);
        swatch.Subtract(shape.IsEmpty() ? LRegion(imageRect) : shape);
    }
    LFillRegionOp(swatch, CColorRef(CColor::FromRGB(fRed, fGreen, fBlue, kFaceIndex, 1.0f))).Draw(port);
    if (!imageRect.IsEmpty())
        fImage->Draw(port, imageRect);
}
