#include "ui/images/LImagePane.h"

namespace {

int32_t ClampToI32(uint64_t value)
{
    return value > 0x7FFFFFFFu ? 0x7FFFFFFF : static_cast<int32_t>(value);
}

} // namespace

LImagePane::LImagePane(LPane* host) : LPane(host, host)
{
    SetState(kEventTransparent);
}

CLRect LImagePane::ImageRect() const
{
    if (fMode == kStretch)
        return Rect();
    const uint64_t size = fImage->GetSize();
    CLRect image{0, 0, ClampToI32(size & 0xFFFFFFFFu), ClampToI32(size >> 32)};
    if (fMode == kFit)
        image.FitInto(Rect());
    else
        image.CenterIn(Rect());
    return image;
}

LRegion LImagePane::Coverage(LImage& image, const CLRect& rect)
{
    if (image.IsRectangular())
        return LRegion(rect);
    return image.GetShapeRegionAt(rect);
}

void LImagePane::SetImage(const LImageRef& image)
{
    if (image == fImage)
        return;
    if (!HasFlags(kPaneShown | kPaneHostShown)) {
        fImage = image;
        return;
    }
    LRegion erase = Coverage(*fImage, ImageRect());
    fImage = image;
    const LRegion shape = Coverage(*fImage, ImageRect());
    // A shaped image takes its own shape out of the erased area.
    if (!fImage->IsRectangular())
        erase.Xor(shape);
    LRegion update = shape;
    update.Union(erase);
    Invalidate(update, erase);
}

int32_t LImagePane::PrefWidth(LPaneContext*, int32_t)
{
    return ClampToI32(fImage->GetSize() & 0xFFFFFFFFu);
}

int32_t LImagePane::PrefHeight(LPaneContext*, int32_t)
{
    return ClampToI32(fImage->GetSize() >> 32);
}

void LImagePane::DrawSelf(LPortState& port) const
{
    fImage->Draw(port, ImageRect());
}
