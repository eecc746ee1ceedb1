#include "ui/windows/LWindow.h"
#include "platform/window/View.h"
#include "platform/window/Window.h"
#include "shell/windows/CDesktop.h"
#include "shell/windows/CNativeWindowKind.h"
#include "shell/windows/MWindowDelegate.h"

const char* LWindow::msgClose = "LWindow_Close";
const char* LWindow::msgActivate = "LWindow_Activate";
const char* LWindow::msgDeactivate = "LWindow_Deativate";
const char* LWindow::msgUpdate = "LWindow_Update";
const char* LWindow::msgClick = "LWindow_Click";
const char* LWindow::msgCursor = "LWindow_Cursor";
const char* LWindow::msgWheel = "LWindow_Wheel";
const char* LWindow::msgPlace = "LWindow_Place";
const char* LWindow::msgBkgnd = "LWindow_Bkgnd";
const char* LWindow::msgContext = "LWindow_Context";
const char* LWindow::msgFocus = "LWindow_Focus";
const char* LWindow::msgUnfocus = "LWindow_Unfocus";

namespace {

LList& WindowList()
{
    static LList list;
    return list;
}

void ReleaseNative(plat::Window* native)
{
    if (native)
        native->Release();
}

} // namespace

LWindow::LWindow(const LWindowDef& def, LHandler* owner, plat::Window* ownerNative)
    : LHandler(owner), fHook(ReleaseNative), fLayer(def.layer)
{
    if (CDesktop* desktop = CDesktop::Get()) {
        plat::Ref<plat::Window> native = desktop->CreateWindow(this, ownerNative, def);
        if (native) {
            fNative = native.Detach();
            if (def.Kind())
                fHook = def.Kind()->GetWindowHook();
            WindowList().PushBack(this);
        }
    }
    AttachNative();
    SetAttachment(def.attachment);
}

LWindow::~LWindow()
{
    SetAttachment(nullptr);
    DetachNative();
    WindowList().Remove(this);
    if (CDesktop* desktop = CDesktop::Get())
        desktop->DestroyWindow(this);
    DisposeNative(); // without a desktop service the window still lets go of its native window
    fView.Reset();
    fMenus.Release();
}

void LWindow::DisposeNative()
{
    if (plat::Window* native = fNative) {
        fNative = nullptr;
        fHook(native);
    }
}

LWindow* LWindow::FindByNative(const plat::Window* native)
{
    if (!native)
        return nullptr;
    for (SSLink* node : WindowList()) {
        auto* window = static_cast<LWindow*>(node);
        if (window->fNative == native)
            return window;
    }
    return nullptr;
}

LWindow* LWindow::Next(const LWindow* window)
{
    SSLink* node = window ? window->SSLink::Next() : WindowList().Head();
    if (!node || node->IsEnd() || (window && !WindowList().Contains(window)))
        return nullptr;
    return static_cast<LWindow*>(node);
}

void LWindow::SetAttachment(LWindowAttachment* attachment)
{
    fAttachment.reset(attachment);
}
