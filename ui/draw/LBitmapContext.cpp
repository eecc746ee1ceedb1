#include "ui/draw/LBitmapContext.h"
#include "platform/draw/Canvas.h"

LBitmapContext::LBitmapContext(const LOffscreen& offscreen) : fOffscreen(offscreen)
{
    SetContext(fOffscreen.LockContext());
    SetStateBytes(1, Context() ? 32 : 0);
    SetClip(LRegion(CLRect{0, 0, static_cast<int32_t>(fOffscreen.Width()), static_cast<int32_t>(fOffscreen.Height())}));
}

LBitmapContext::~LBitmapContext()
{
    if (plat::Canvas* canvas = Context()) {
        canvas->SetFillColor({0, 0, 0, 0});
        canvas->SetStrokeColor({0, 0, 0, 0});
        fOffscreen.UnlockContext();
    }
    SetContext(nullptr);
}
