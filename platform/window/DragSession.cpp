#include "platform/window/DragSession.h"
#include "platform/window/Pasteboard.h"
#include "platform/window/Window.h"
#include "platform/window/WindowServer.h"

#include <algorithm>

namespace plat {

namespace {

bool Takes(const Window& window, const Pasteboard& pasteboard)
{
    const std::vector<std::string> offered = pasteboard.Types();
    for (const std::string& type : window.DraggedTypes()) {
        if (type == Pasteboard::kTypeData && !offered.empty())
            return true;
        if (std::find(offered.begin(), offered.end(), type) != offered.end())
            return true;
    }
    return false;
}

} // namespace

DragSession::DragSession(Pasteboard& pasteboard, uint32_t sourceMask)
    : fPasteboard(pasteboard), fSourceMask(sourceMask)
{
}

DragSession::~DragSession()
{
    Cancel();
}

Window* DragSession::TargetAt(const Point& screen) const
{
    Window* window = WindowServer::Shared().WindowAtPoint(screen);
    return (window && window->Delegate() && Takes(*window, fPasteboard)) ? window : nullptr;
}

DraggingInfo DragSession::Info() const
{
    DraggingInfo info{fDestination.Get(), &fPasteboard, fLocation, fSourceMask};
    if (fDestination)
        info.location = fDestination->ConvertScreenToBase(fLocation);
    return info;
}

void DragSession::Leave()
{
    if (fDestination && fDestination->Delegate())
        fDestination->Delegate()->DraggingExited(Info());
    fDestination.Reset();
    fOperation = kDragNone;
}

uint32_t DragSession::MoveTo(const Point& screen)
{
    if (fEnded)
        return kDragNone;
    fLocation = screen;
    Window* target = TargetAt(screen);
    if (target != fDestination.Get()) {
        Leave();
        fDestination = Ref<Window>(target);
        if (target)
            fOperation = target->Delegate()->DraggingEntered(Info()) & fSourceMask;
        return fOperation;
    }
    if (target)
        fOperation = target->Delegate()->DraggingUpdated(Info()) & fSourceMask;
    return fOperation;
}

bool DragSession::Drop()
{
    if (fEnded)
        return false;
    fEnded = true;
    Ref<Window> target = fDestination;
    if (!target || !target->Delegate())
        return false;
    WindowDelegate* delegate = target->Delegate();
    const DraggingInfo info = Info();
    bool performed = false;
    if (fOperation == kDragNone) {
        delegate->DraggingExited(info);
    } else if (delegate->PrepareForDragOperation(info) && delegate->PerformDragOperation(info)) {
        performed = true;
        delegate->ConcludeDragOperation(info);
    }
    if (target->Delegate())
        target->Delegate()->DraggingEnded(info);
    fDestination.Reset();
    return performed;
}

void DragSession::Cancel()
{
    if (fEnded)
        return;
    fEnded = true;
    Leave();
}

} // namespace plat
