#include "shell/mainloop/CMacMainLoop.h"

#include "foundation/core/LMessage.h"
#include "foundation/core/StrEqual.h"
#include "foundation/input/LMouse.h"
#include "platform/Clock.h"
#include "platform/app/Application.h"
#include "platform/menus/MainMenu.h"
#include "platform/runloop/RunLoop.h"
#include "platform/menus/Menu.h"
#include "platform/menus/MenuItem.h"
#include "platform/menus/MenuTracking.h"
#include "platform/window/Event.h"
#include "platform/window/EventRouter.h"
#include "platform/window/Window.h"
#include "platform/window/WindowServer.h"
#include "shell/app/AppDelegate.h"
#include "shell/app/MMainMenu.h"
#include "shell/mainloop/MainLoopTimers.h"
#include "shell/windows/CDesktop.h"
#include "shell/windows/ScreenCoords.h"
#include "shell/windows/WindowEventHooks.h"
#include "ui/LTimer.h"
#include "ui/dialogs/LDialog.h"
#include "ui/menus/LMenuBar.h"
#include "ui/windows/LWindow.h"

#include <algorithm>
#include <cmath>

namespace {

CMacMainLoop* gMainLoop = nullptr;
bool gDragActive = false;

constexpr uint32_t kMinDelayMs = 10;
constexpr uint32_t kMaxModalWaitMs = 1000;
constexpr int32_t kModalLayer = 3;
// Wheel deltas arrive in lines; the framework counts twentieths of a line.
constexpr double kWheelUnitsPerLine = 20.0;

int32_t SaturatedSum(int32_t accumulated, double delta)
{
    const double sum = std::trunc(double(accumulated) + delta);
    if (!std::isfinite(sum))
        return accumulated;
    return int32_t(std::clamp(sum, double(INT32_MIN), double(INT32_MAX)));
}

void RescheduleHook(void* context)
{
    static_cast<CMacMainLoop*>(context)->Reschedule();
}

} // namespace

CMacMainLoop* CMacMainLoop::Get()
{
    return gMainLoop;
}

void CMacMainLoop::SetDragActive(bool active)
{
    gDragActive = active;
}

bool CMacMainLoop::IsDragActive()
{
    return gDragActive;
}

CMacMainLoop::CMacMainLoop(LHandler* application) : CMainLoopBase(application)
{
    auto* pool = new MainLoopTimerPool();
    fPool.Assign(pool);
    if (AppDelegate* delegate = AppDelegate::Current())
        delegate->SetMain(this);
    TakeOverMainMenu();
    gMainLoop = this;
    LTimer::SetRescheduleHook(&RescheduleHook, this);
    fMenuBar = std::make_unique<LMenuBar>(application, "APP", nullptr);
    fObserverTokens[0] = plat::AddMenuObserver(plat::MenuEvent::BeginTracking, plat::MainMenu().get(),
                                               [](plat::MenuEvent, plat::Menu*, plat::MenuItem*) {
                                                   if (AppDelegate* delegate = AppDelegate::Current())
                                                       delegate->MenuBarTrack();
                                               });
    fObserverTokens[1] = plat::AddMenuObserver(plat::MenuEvent::DidSendAction, nullptr,
                                               [](plat::MenuEvent, plat::Menu*, plat::MenuItem* item) {
                                                   if (AppDelegate* delegate = AppDelegate::Current())
                                                       delegate->MenuAction(item);
                                               });
    WindowEventHooks::Install([] { if (gMainLoop) gMainLoop->DispatchCursor(); },
                              [](const plat::Event& event) { if (gMainLoop) gMainLoop->AccumulateWheel(event); });
    Reschedule(); // timers armed before the loop existed
}

CMacMainLoop::~CMacMainLoop()
{
    WindowEventHooks::Install(nullptr, nullptr);
    LTimer::SetRescheduleHook(nullptr, nullptr);
    for (int token : fObserverTokens)
        plat::RemoveMenuObserver(token);
    if (AppDelegate* delegate = AppDelegate::Current(); delegate && delegate->Main() == this)
        delegate->SetMain(nullptr);
    fMenuBar.reset();
    fTimer.Release();
    fPool.Release();
    for (const SessionEntry& entry : fSessions)
        plat::Application::Shared().EndModalSession(entry.session);
    fSessions.clear();
    if (gMainLoop == this)
        gMainLoop = nullptr;
}

void CMacMainLoop::TakeOverMainMenu()
{
    const std::shared_ptr<plat::Menu> old = plat::MainMenu();
    auto menu = std::make_shared<MMainMenu>(old ? old->Title() : std::string());
    menu->SetAutoenablesItems(false);
    while (old && old->Count() > 0) {
        const std::shared_ptr<plat::MenuItem> item = old->ItemAt(0);
        old->RemoveAt(0);
        menu->Add(item);
    }
    plat::SetMainMenu(menu);
}

void CMacMainLoop::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (msg.subject == this && StrEqual(msg.type, msgQuit)) {
        quitPending = false; // nobody refused
        LMessage::Clear(result);
        return;
    }
    LHandler::HandleMessage(result, msg);
}

void CMacMainLoop::Quit()
{
    plat::Application::Shared().Perform("terminate:", nullptr);
}

void CMacMainLoop::RequestWindowUpdate()
{
    plat::Application::Shared().SetWindowsNeedUpdate(true);
}

CRunLoopSignal* CMacMainLoop::CreateWakeSignal(CRunLoopSignal::Callback callback, void* context)
{
    return new CRunLoopSignal(callback, context);
}

void CMacMainLoop::ArmTimer(uint32_t delayMs)
{
    auto* pool = static_cast<MainLoopTimerPool*>(fPool.Get());
    if (!fTimer.Get() && pool) {
        LPooledRecord* record = pool->Take();
        fTimer.Assign(record);
        if (record)
            record->Release(); // the handle holds it now
    }
    auto* record = static_cast<MainLoopTimerRecord*>(fTimer.Get());
    if (!record)
        return;
    record->FireAfter(delayMs, [this] { TimerFired(); });
    fTimerDueMs = plat::NowMs() + delayMs;
}

void CMacMainLoop::Reschedule()
{
    if (fTimerPending)
        return;
    const uint32_t ms = LTimer::MsUntilNext(ModalTop(), ModalWindowOwner(), active);
    if (ms == 0)
        fTimerPending = true;
    ArmTimer(std::max(ms, kMinDelayMs));
}

void CMacMainLoop::TimerFired()
{
    // Re-arming during this call takes another record: records alternate.
    LRef held(fTimer);
    fTimer.Release();
    fTimerDueMs = 0;
    DeliverWheel();
    fTimerPending = false;
    DispatchDueTimers();
    fTimerPending = false;
    Reschedule();
    // While a menu is open, a press is tracked or a drag runs, the pointer belongs to them.
    if (gDragActive || plat::MenuTracking::Shared().IsOpen() || plat::EventRouter::Shared().IsTrackingPress())
        return;
    ReadPointer();
    DispatchCursor();
}

void CMacMainLoop::ReadPointer()
{
    LMouse* mouse = LMouse::Current();
    const std::optional<plat::Point> where = plat::WindowServer::Shared().PointerLocation();
    if (mouse && where)
        mouse->location = NSPointToPoint(*where, GetMainScreenHeight());
}

void CMacMainLoop::DeliverWheel()
{
    if (fWheelDx == 0 && fWheelDy == 0)
        return;
    const plat::Window* native = plat::WindowServer::Shared().WithNumber(fWheelWindow);
    LWindow* window = native ? LWindow::FindByNative(native) : nullptr;
    LMouse* mouse = LMouse::Current();
    if (window && mouse) {
        mouse->SetWheelSample(fWheelLocation, fWheelDx, fWheelDy, fWheelModifiers);
        LMessage::Send(LMessage(LWindow::msgWheel, window, window->GetOwner()));
    }
    fWheelDx = 0;
    fWheelDy = 0;
}

void CMacMainLoop::AccumulateWheel(const plat::Event& event)
{
    const double dx = event.deltaX * kWheelUnitsPerLine;
    const double dy = event.deltaY * kWheelUnitsPerLine;
    if (fWheelDx == 0 && fWheelDy == 0) {
        fWheelWindow = event.windowNumber;
        plat::Point where = event.locationInWindow;
        if (const plat::Window* window = plat::WindowServer::Shared().WithNumber(event.windowNumber))
            where = window->ConvertBaseToScreen(where);
        fWheelLocation = NSPointToPoint(where, GetMainScreenHeight());
        fWheelModifiers = event.modifierFlags;
    }
    fWheelDx = SaturatedSum(fWheelDx, dx);
    fWheelDy = SaturatedSum(fWheelDy, dy);
    fTimerPending = true;
    ArmTimer(kMinDelayMs);
}

void CMacMainLoop::DispatchCursor()
{
    ::DispatchCursor(this);
}

plat::ModalSession* CMacMainLoop::SessionForModalWindow()
{
    const LWindow* modal = CDesktop::FindWindowOfLayer(kModalLayer);
    plat::Window* native = modal ? modal->Native() : nullptr;
    if (!native)
        return fSessions.empty() ? nullptr : fSessions.back().session;
    for (auto it = fSessions.rbegin(); it != fSessions.rend(); ++it)
        if (it->window == native)
            return it->session;
    plat::ModalSession* session = plat::Application::Shared().BeginModalSession(native);
    fSessions.push_back({native, session});
    return session;
}

void CMacMainLoop::RunModalStep()
{
    // A quit that does not ask, or one waiting for the questions to close, ends every
    // question as if the person had cancelled it.
    if (plat::Application::Shared().IsCancellingQuestions()) {
        if (LHandler* dialog = ModalTop())
            LMessage::Send(LMessage(LDialog::msgEscape, dialog, dialog));
        return;
    }
    plat::ModalSession* session = SessionForModalWindow();
    const uint32_t ms = std::clamp(LTimer::MsUntilNext(ModalTop(), ModalWindowOwner(), active), kMinDelayMs,
                                   kMaxModalWaitMs);
    plat::Application& app = plat::Application::Shared();
    if (!session) {
        if (plat::Ref<plat::Event> event = app.NextEvent(plat::kEventMaskAny, ms, plat::kModeModalPanel, true))
            app.SendEvent(*event);
        return;
    }
    // The event stays queued for the session to handle.
    app.NextEvent(plat::kEventMaskAny, ms, plat::kModeModalPanel, false);
    app.RunModalSession(session);
}

void CMacMainLoop::EndModal(const LWindow* window)
{
    const plat::Window* native = window ? window->Native() : nullptr;
    if (!native)
        return;
    for (auto it = fSessions.rbegin(); it != fSessions.rend(); ++it) {
        if (it->window != native)
            continue;
        plat::Application::Shared().EndModalSession(it->session);
        fSessions.erase(std::next(it).base());
        return;
    }
}
