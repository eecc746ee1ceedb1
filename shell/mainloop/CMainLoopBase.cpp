#include "shell/mainloop/CMainLoopBase.h"
#include "shell/mainloop/CMacMainLoop.h"

#include "foundation/async/LTicks.h"
#include "foundation/core/LMessage.h"
#include "foundation/input/LMouse.h"
#include "platform/menus/MenuBarHost.h"
#include "platform/window/Window.h"
#include "platform/window/WindowServer.h"
#include "shell/windows/CDesktop.h"
#include "shell/windows/ScreenCoords.h"
#include "ui/LTimer.h"
#include "ui/frames/LFrame.h"
#include "ui/panes/CCursorHookList.h"
#include "ui/panes/LPane.h"
#include "ui/windows/LWindow.h"

const char* CMainLoopBase::msgQuit = "CMainLoopBase_Quit";
const char* CMainLoopBase::msgSwitch = "CMainLoopBase_Switch";
const char* CMainLoopBase::msgDeferred = "CMainLoopBase_Deferred";

namespace {

LHandler* gAppHandler = nullptr;
constexpr int32_t kModalLayer = 3;
// A dispatch pass sends at most this many timer messages, so that timers that keep
// re-arming themselves for now cannot hold the main thread.
constexpr int kMaxTimerMessages = 10000;

} // namespace

CMainLoopBase::CMainLoopBase(LHandler* application) : LHandler(application)
{
    gAppHandler = application;
}

CMainLoopBase::~CMainLoopBase()
{
    if (gAppHandler == Parent())
        gAppHandler = nullptr;
}

LHandler* GetAppHandler()
{
    return gAppHandler;
}

LHandler* CMainLoopBase::ModalWindowOwner()
{
    const LWindow* window = CDesktop::FindWindowOfLayer(kModalLayer);
    return window ? window->GetOwner() : nullptr;
}

LHandler* CMainLoopBase::CommandTarget() const
{
    plat::Window* key = plat::WindowServer::Shared().KeyWindow();
    // The small window that carries the menu bar while no document is open is no window of
    // the program's own: its menus and keys are the application's.
    if (!key || key == plat::MenuBarHost::HostWindow())
        return Parent();
    LWindow* window = LWindow::FindByNative(key);
    if (!window)
        return nullptr;
    LHandler* owner = window->GetOwner();
    if (!owner)
        return window;
    auto* frame = dynamic_cast<LFrame*>(owner);
    if (!frame)
        return owner;
    LPane* focus = frame->FocusTarget();
    return focus ? static_cast<LHandler*>(focus) : frame;
}

void ReleaseMouseCapture()
{
    LMouse* mouse = LMouse::Current();
    if (!mouse || !mouse->Capture())
        return;
    LHandler* former = mouse->Capture();
    mouse->SetCapture(nullptr);
    LMessage::Send(LMessage("LMouse_Release", mouse, former));
}

void CMainLoopBase::SetMouseCapture(LHandler* handler)
{
    LMouse* mouse = LMouse::Current();
    if (!mouse)
        return;
    if (mouse->Capture() && mouse->Capture() != handler)
        ReleaseMouseCapture();
    mouse->SetCapture(handler);
}

void CMainLoopBase::ModalStep(LHandler* handler)
{
    const LMouse* mouse = LMouse::Current();
    LHandler* capturer = mouse ? mouse->Capture() : nullptr;
    if (capturer) {
        LHandler* owner = ModalWindowOwner();
        // The owner is outside the capturer's chain when the walk up from it never meets the owner.
        if (owner && !LHandler::IsOnChain(nullptr, capturer, owner))
            ReleaseMouseCapture();
    }
    fModalStack.push_back(handler);
    RunModalStep();
    fModalStack.pop_back();
}

void CMainLoopBase::DispatchDueTimers()
{
    const uint32_t now = LTicks::Now();
    for (int i = 0; i < kMaxTimerMessages; ++i) {
        const LMessage msg = LTimer::DispatchDue(now, ModalTop(), ModalWindowOwner(), active);
        if (!msg.subject)
            return;
        LMessage::Send(msg);
    }
}

void DispatchCursor(LHandler* fallback)
{
    // While a drag runs the cursor stays as the drag set it.
    if (CMacMainLoop::IsDragActive())
        return;
    LMouse* mouse = LMouse::Current();
    if (!mouse)
        return;
    if (LHandler* capturer = mouse->Capture()) {
        LMessage::Send(LMessage("LMouse_Cursor", mouse, capturer));
        return;
    }
    LWindow* window = CDesktop::FindWindowOfLayer(kModalLayer);
    if (!window) {
        const plat::Point where = PointToNSPoint(mouse->location, GetMainScreenHeight());
        window = LWindow::FindByNative(plat::WindowServer::Shared().WindowAtPoint(where));
    }
    if (window && !CCursorHookList::Dispatch(0) &&
        (window->Layer() > 1 || CDesktop::FindWindowOfLayer(int32_t(window->Layer())) == window)) {
        LMessage::Send(LMessage(LWindow::msgCursor, window, window->GetOwner()));
        return;
    }
    LFrame::ClearMousePane();
    LMessage::Send(LMessage("LMouse_Cursor", mouse, fallback));
}
