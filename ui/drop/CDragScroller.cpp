#include "ui/drop/CDragScroller.h"
#include "controls/lists/LListPane.h"
#include "foundation/core/StrEqual.h"
#include "shell/draw/CDrawContext.h"
#include "shell/windows/LDrop.h"
#include "ui/panes/LPaneContext.h"

#include <algorithm>

namespace {

constexpr int32_t kMaxMargin = 8;

} // namespace

CDragScroller::CDragScroller(LListPane* list) : CDropReceiver(list), LHandler(nullptr), fList(list), fScroller(this) {}

// The drag's screen point in the coordinates of the list's rectangle.
CLPoint CDragScroller::DragPointInList() const
{
    const LDrop* drag = CurrentDrag();
    const CDrawContext port = CDrawContext::Measure(drag->Window());
    const CLPoint local = port.GlobalToLocal(drag->DragPoint());
    const CLPoint origin = ListOriginInWindow();
    return {local.x - origin.x, local.y - origin.y};
}

// The list's rectangle is in its host's coordinates: the origin of the context it draws in.
// (The host's own OriginIn would count a nested frame's top-left twice.)
CLPoint CDragScroller::ListOriginInWindow() const
{
    const LPaneContext context = LPaneContext::FromPane(*fList);
    return {context.originX, context.originY};
}

uint32_t CDragScroller::DropPhase(const LMessage& msg)
{
    switch (Classify(msg)) {
    case kSense:
        return kSense;
    case kEnter:
        fIndicatorActive = false;
        return kEnter;
    case kLeave:
        fScroller.Stop();
        fIndicatorActive = false;
        return kLeave;
    case kDrag: {
        const CLRect& rect = fList->Rect();
        const int32_t mx = std::min(int32_t(rect.Width() / 4), kMaxMargin);
        const int32_t my = std::min(int32_t(rect.Height() / 4), kMaxMargin);
        fScroller.Track(DragPointInList(), rect, mx, my);
        return fIndicatorActive ? kDrag : kOther;
    }
    case kDrop: {
        fScroller.Stop();
        const bool accepted = fIndicatorActive;
        fIndicatorActive = false;
        return accepted ? kDrop : kOther;
    }
    default:
        return kOther;
    }
}

void CDragScroller::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (msg.subject == &fScroller && StrEqual(msg.type, CScrollHelper::msgScroll)) {
        const CLPoint delta = fList->ClampScrollDelta({fScroller.DirectionX(), fScroller.DirectionY()});
        fList->ScrollTo({fList->Origin().x + delta.x, fList->Origin().y + delta.y});
        LMessage::Clear(result);
        return;
    }
    LHandler::HandleMessage(result, msg);
}
