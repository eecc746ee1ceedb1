#include "ui/LImage.h"

LRegion LImage::GetShapeRegionAt(const CLRect& rect)
{
    if (rect.Width() != fCachedRect.Width() || rect.Height() != fCachedRect.Height()) {
        // ResetShape leaves the shape at the image's own rectangle; scale it to the new size.
        ResetShape();
        fShape.Map(fCachedRect, rect);
        fCachedRect = rect;
    }
    fShape.Offset(rect.left - fCachedRect.left, rect.top - fCachedRect.top);
    fCachedRect = rect;
    return fShape;
}

LRegion LImage::GetShapeRegion(const CLRect& rect)
{
    if (IsRectangular())
        return LRegion();
    return GetShapeRegionAt(rect);
}

LNullImage* LNullImage::Instance()
{
    // Built once even when threads race to it, and never released to 0.
    struct Shared {
        Shared() { image.MakePermanent(); }
        LNullImage image;
    };
    static Shared shared;
    return &shared.image;
}

int32_t LNullImage::GetNative(const void** native) const
{
    if (native)
        *native = nullptr;
    return 0;
}
