#include "ui/draw/LPortState.h"
#include "platform/draw/Canvas.h"
#include "ui/draw/PixelRects.h"

LRegion& LPortState::Clip()
{
    if (fPendingDx != 0 || fPendingDy != 0) {
        fClip.Offset(fPendingDx, fPendingDy);
        fPendingDx = 0;
        fPendingDy = 0;
    }
    return fClip;
}

void LPortState::SetClip(const LRegion& clip)
{
    fClip = clip;
    fPendingDx = 0;
    fPendingDy = 0;
    fFlags |= kClipChanged;
}

LOriginRecord LPortState::OffsetOrigin(int32_t dx, int32_t dy)
{
    LOriginRecord record{this, fOrigin};
    if (dx == 0 && dy == 0)
        return record;
    fOrigin.x += dx;
    fOrigin.y += dy;
    fPendingDx -= dx;
    fPendingDy -= dy;
    fFlags |= kOriginChanged | kClipChanged;
    return record;
}

void LPortState::SetOrigin(const CLPoint& point)
{
    if (point == fOrigin)
        return;
    fPendingDx += fOrigin.x - point.x;
    fPendingDy += fOrigin.y - point.y;
    fOrigin = point;
    fFlags |= kOriginChanged | kClipChanged;
}

LClipRecord LPortState::PushClip(const LRegion& region)
{
    LClipRecord record{this, Clip()};
    fClip.Intersect(region);
    fFlags |= kClipChanged;
    return record;
}

LPortState::LColorScope LPortState::PushColors(const CColorRef& color)
{
    LColorScope scope(*this, fColor);
    fColor = color;
    fFlags |= kColorsChanged;
    return scope;
}

void LPortState::ApplyColors(const CColor* color) { SetContextColors(color, *this, 0); }

void LPortState::ApplyPending()
{
    if (!fContext)
        return;
    const LRegion& clip = Clip();
    if (fFlags & kClipChanged) {
        if (clip.IsEmpty()) {
            fContext->ClipToNothing();
        } else {
            fContext->ClipToRects(PixelRects(clip));
        }
    }
    if (fFlags & kColorsChanged)
        SetContextColors(fColor.Get(), *this, 1);
    fFlags &= static_cast<uint8_t>(~(kClipChanged | kColorsChanged));
}

LPortState::LColorScope::~LColorScope()
{
    if (!fPort)
        return;
    fPort->fColor = fSaved;
    fPort->fFlags |= kColorsChanged;
}

LOriginScope::LOriginScope(const LOriginRecord& record) : fRecord(record)
{
    CLPoint now = record.port->Origin();
    fMoved = {now.x - record.saved.x, now.y - record.saved.y};
    if (plat::Canvas* canvas = record.port->Context())
        canvas->Translate(fMoved.x, fMoved.y);
}

LOriginScope::~LOriginScope()
{
    if (plat::Canvas* canvas = fRecord.port->Context())
        canvas->Translate(-fMoved.x, -fMoved.y);
    fRecord.port->SetOrigin(fRecord.saved);
}

LClipScope::~LClipScope()
{
    LPortState& port = *fRecord.port;
    port.SetClip(fRecord.saved);
}
