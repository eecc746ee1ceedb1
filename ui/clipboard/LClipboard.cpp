#include "ui/clipboard/LClipboard.h"
#include "platform/window/Pasteboard.h"

LClipboard::LClipboard()
{
    fAccessor.SetPasteboard(&plat::Pasteboard::General());
}

bool LClipboard::CanPaste(const LScrap& scrap) const
{
    if (fHeld && fHeld->SameType(scrap))
        return true;
    return scrap.IsAvailable();
}

bool LClipboard::Fetch(LScrap& scrap) const
{
    if (fHeld && scrap.CopyFrom(*fHeld))
        return true;
    return scrap.Load();
}

void LClipboard::Put(std::unique_ptr<LScrap> scrap)
{
    fHeld = std::move(scrap);
    fHeldRef.Release();
    if (fHeld)
        fHeld->Put();
}

void LClipboard::Clear()
{
    fHeld.reset();
    fHeldRef.Release();
}
