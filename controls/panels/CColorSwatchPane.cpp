#include "controls/panels/CColorSwatchPane.h"
#include "controls/CColor.h"
#include "controls/panels/PanelDrawing.h"
#include "controls/std/PaneMouse.h"
#include "foundation/core/StrEqual.h"
#include "ui/draw/LFillRegionOp.h"
#include "ui/draw/LPortState.h"

const char* CColorSwatchPane::msgOriginal = "CColorSwatch_Original";

namespace {

constexpr const char* kMouseClick = "LMouse_Click";
constexpr uint8_t kFrameGrey = 0x80;

void Fill(LPortState& port, const CLRect& rect, const RgbColor& color)
{
    CColorRef brush;
    LRGB rgb;
    rgb.Set(ComponentByte(color.red), ComponentByte(color.green), ComponentByte(color.blue));
    CColor::AssignRGB(brush, rgb, 0);
    LFillRegionOp(LRegion(rect), brush).Draw(port);
}

} // namespace

CColorSwatchPane::CColorSwatchPane(LHandler* parent, LPane* host) : LPane(parent, host) {}

void CColorSwatchPane::SetOriginal(const RgbColor& color)
{
    fOriginal = color;
    Invalidate(LRegion(Rect()), LRegion(Rect()));
}

void CColorSwatchPane::SetCurrent(const RgbColor& color)
{
    fCurrent = color;
    Invalidate(LRegion(Rect()), LRegion(Rect()));
}

CLRect CColorSwatchPane::OriginalRect() const
{
    const CLRect r = Rect();
    return CLRect{r.left + 1, r.top + 1, (r.left + r.right) / 2, r.bottom - 1};
}

CLRect CColorSwatchPane::CurrentRect() const
{
    const CLRect r = Rect();
    return CLRect{(r.left + r.right) / 2, r.top + 1, r.right - 1, r.bottom - 1};
}

void CColorSwatchPane::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (StrEqual(msg.type, kMouseClick)) {
        if (OriginalRect().Contains(MouseInPane(*this)))
            Announce(msgOriginal, Parent());
        LMessage::Clear(result);
        return;
    }
    LPane::HandleMessage(result, msg);
}

void CColorSwatchPane::DrawSelf(LPortState& port) const
{
    LFillRegionOp(LRegion(Rect()), PanelGrey(kFrameGrey)).Draw(port);
    Fill(port, OriginalRect(), fOriginal);
    Fill(port, CurrentRect(), fCurrent);
}
