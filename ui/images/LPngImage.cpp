#include "ui/images/LPngImage.h"
#include "platform/draw/Canvas.h"
#include "shell/draw/LPortStateScope.h"
#include "ui/draw/LPortState.h"

#include <vector>

LPngImage::LPngImage(const LResRef& ref, LResourceSource* source)
{
    LResourceSource* from = source ? source : LResourceSource::Global();
    if (from && LoadResource(*from, ref)) {
        fWidth = static_cast<uint32_t>(fBitmap.Width());
        fHeight = static_cast<uint32_t>(fBitmap.Height());
    }
}

bool LPngImage::LoadResource(LResourceSource& source, const LResRef& ref)
{
    std::vector<uint8_t> bytes;
    if (!source.Load(kResType, ref, bytes))
        return false;
    plat::Bitmap decoded;
    if (!plat::Bitmap::DecodePng(bytes.data(), bytes.size(), decoded))
        return false;
    fBitmap = std::move(decoded);
    return true;
}

void LPngImage::ResetShape()
{
    if (!IsValid())
        return;
    fCachedRect = {0, 0, static_cast<int32_t>(fWidth), static_cast<int32_t>(fHeight)};
    fShape.SetRect(fCachedRect);
}

int32_t LPngImage::GetNative(const void** native) const
{
    if (native)
        *native = IsValid() ? &fBitmap : nullptr;
    return IsValid() ? kNativeBitmap : 0;
}

// Scales the bitmap into the rectangle. The canvas already runs top-down, so the picture is
// upright without the flip a bottom-up context would need.
void LPngImage::Draw(LPortState& port, const CLRect& rect) const
{
    if (!IsValid() || rect.IsEmpty())
        return;
    LClipScope clip(port.PushClip(LRegion(rect)));
    LPortStateScope state(port);
    if (plat::Canvas* canvas = port.Context())
        canvas->DrawBitmap(fBitmap, rect.ToCGRect());
}
