#include "controls/lists/LCellFrame.h"
#include "foundation/core/StrEqual.h"
#include "foundation/input/LKeyboard.h"
#include "ui/frames/LTabOrder.h"

namespace {

constexpr uint8_t kTabCharacter = 9;

} // namespace

LCellFrame::LCellFrame(LPane* parent) : LFrame(parent, parent) {}

LCellFrame::~LCellFrame() = default;

void LCellFrame::BeginCache()
{
    if (fCache)
        return;
    auto cache = std::make_unique<Cache>();
    LFrame::GetContext(cache->context);
    fCache = std::move(cache);
}

void LCellFrame::EndCache()
{
    FlushCache();
    fCache.reset();
}

void LCellFrame::FlushCache()
{
    if (!fCache)
        return;
    const LRegion update = fCache->update;
    const LRegion erase = fCache->erase;
    fCache->update.Clear();
    fCache->erase.Clear();
    if (!update.IsEmpty() || !erase.IsEmpty())
        LFrame::Invalidate(update, erase);
}

void LCellFrame::ShowInWindow()
{
    BroadcastState(kEventHostShow);
    SetFlagBits(kPaneHostShown, true);
}

void LCellFrame::HideFromWindow()
{
    FlushCache();
    SetFlagBits(kPaneHostShown, false);
    BroadcastState(kEventHostHide);
}

void LCellFrame::GetContext(LPaneContext& context) const
{
    if (fCache) {
        context = fCache->context;
        return;
    }
    LFrame::GetContext(context);
}

void LCellFrame::Invalidate(const LRegion& update, const LRegion& erase)
{
    if (fCache && HasFlags(kPaneShown | kPaneHostShown)) {
        fCache->update.Union(update);
        fCache->erase.Union(erase);
        return;
    }
    LFrame::Invalidate(update, erase);
}

void LCellFrame::HandleMessage(LMessage& result, const LMessage& msg)
{
    const LKeyboard* keyboard = LKeyboard::Current();
    if (keyboard && msg.subject == keyboard && StrEqual(msg.type, LKeyboard::msgDown) &&
        keyboard->character == kTabCharacter) {
        // Tab never leaves the cell: the frame's own order wraps around inside it.
        MoveFocus(keyboard->IsShift() ? LFocusDir::Backward : LFocusDir::Forward);
        LMessage::Clear(result);
        return;
    }
    LFrame::HandleMessage(result, msg);
}
