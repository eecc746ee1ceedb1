#include "controls/lists/LCellFrame.h"
#include "controls/lists/LCellGrid.h"
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
    auto cache = std::make_unique<LInvalCache>();
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
    LRegion update;
    LRegion erase;
    if (fCache && fCache->Take(update, erase))
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
        fCache->Add(update, erase);
        return;
    }
    LFrame::Invalidate(update, erase);
}

void LCellFrame::HandleMessage(LMessage& result, const LMessage& msg)
{
    const LKeyboard* keyboard = LKeyboard::Current();
    const auto* grid = dynamic_cast<const LCellGrid*>(Parent());
    if (keyboard && msg.subject == keyboard && StrEqual(msg.type, LKeyboard::msgDown) &&
        keyboard->character == kTabCharacter && !(grid && grid->TabsThroughCells())) {
        // Tab never leaves the cell: the frame's own order wraps around inside it. In a grid
        // that tabs through its cells, a Tab past the cell's stops goes on to the grid.
        MoveFocus(keyboard->IsShift() ? LFocusDir::Backward : LFocusDir::Forward);
        LMessage::Clear(result);
        return;
    }
    LFrame::HandleMessage(result, msg);
}

void ShowCellInWindow(LPane& pane)
{
    if (auto* frame = dynamic_cast<LCellFrame*>(&pane))
        frame->ShowInWindow();
    else
        pane.SetState(kEventHostShow);
}

void HideCellFromWindow(LPane& pane)
{
    if (auto* frame = dynamic_cast<LCellFrame*>(&pane))
        frame->HideFromWindow();
    else
        pane.SetState(kEventHostHide);
}
