#include "controls/panels/CFontPreviewPane.h"
#include "controls/CColor.h"
#include "controls/panels/PanelDrawing.h"
#include "platform/draw/Canvas.h"
#include "platform/draw/Font.h"
#include "platform/draw/TextLayout.h"
#include "platform/window/FontPanel.h"
#include "ui/draw/LFillRegionOp.h"
#include "shell/draw/LPortStateScope.h"
#include "ui/draw/LPortState.h"

namespace {

constexpr int32_t kInset = 6;

} // namespace

CFontPreviewPane::CFontPreviewPane(LHandler* parent, LPane* host) : LPane(parent, host) {}

CFontPreviewPane::~CFontPreviewPane() = default;

void CFontPreviewPane::SetSample(const LStringRef& text)
{
    fSample = text;
    Invalidate(LRegion(Rect()), LRegion(Rect()));
}

void CFontPreviewPane::SetFont(const plat::FontChoice& font)
{
    fFont = plat::Ref<plat::Font>::Adopt(plat::Font::Open(font.family, font.size, font.bold, font.italic, nullptr));
    Invalidate(LRegion(Rect()), LRegion(Rect()));
}

void CFontPreviewPane::DrawSelf(LPortState& port) const
{
    LFillRegionOp(LRegion(Rect()), PanelGrey(0xFF)).Draw(port);
    plat::Canvas* canvas = port.Context();
    if (!canvas || !fFont || fSample.IsEmpty())
        return;
    LPortStateScope saved(port);
    canvas->SetFillColor(plat::Color{0, 0, 0, 1});
    const CLRect r = Rect();
    const CLRect box{r.left + kInset, r.top + kInset, r.right - kInset, r.bottom - kInset};
    const plat::TextLayout layout(*fFont, fSample.View(), double(box.right - box.left));
    layout.Draw(*canvas, box.ToCGRect(), plat::TextAlign::Left, plat::TextLayout::Clip::ToBox);
}
