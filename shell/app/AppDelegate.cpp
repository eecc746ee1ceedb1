#include "shell/app/AppDelegate.h"

#include "foundation/core/LMessage.h"
#include "platform/app/Application.h"
#include "platform/menus/MenuItem.h"
#include "shell/app/CExtCmd.h"
#include "shell/files/FileUrls.h"
#include "shell/mainloop/CMacMainLoop.h"
#include "shell/system/LAEDesc.h"
#include "ui/menus/LMenuBar.h"
#include "ui/menus/LMenuItem.h"

namespace {

bool gInWillUpdate = false;

bool AnyQuitEnabled()
{
    bool enabled = false;
    LMenuBar::WithMainBar(&enabled, [](void* context, LMenuBar* bar) {
        bar->ForEachItem(context, [](void* found, LMenuItem* item) {
            if (item->enabled && item->HasCommand("LStdCmd_Quit"))
                *static_cast<bool*>(found) = true;
        });
    });
    return enabled;
}

} // namespace

AppDelegate::AppDelegate(GlobalsHook createGlobals, GlobalsHook destroyGlobals)
    : fCreateGlobals(createGlobals), fDestroyGlobals(destroyGlobals)
{
}

AppDelegate* AppDelegate::Current()
{
    return dynamic_cast<AppDelegate*>(plat::Application::Shared().Delegate());
}

void AppDelegate::WillFinishLaunching()
{
    if (fCreateGlobals)
        fCreateGlobals();
}

void AppDelegate::SendOpen(const std::string* path)
{
    CExtCmd command{LStringRef()};
    if (path)
        command.Paths().Append(UrlFromPosixPath(*path));
    LMessage::Send(LMessage(CExtCmd::msgOpen, &command, mMain));
}

void AppDelegate::DidFinishLaunching()
{
    if (mStarted || !mMain)
        return;
    mStarted = true;
    SendOpen(nullptr);
}

bool AppDelegate::OpenFile(const std::string& path)
{
    mStarted = true;
    if (mMain)
        SendOpen(&path);
    return true;
}

bool AppDelegate::OpenUntitledFile()
{
    if (!mStarted && mMain) {
        mStarted = true;
        SendOpen(nullptr);
    }
    return true;
}

plat::ApplicationDelegate::TerminateReply AppDelegate::ShouldTerminate()
{
    if (!mMain)
        return TerminateReply::Now;
    mMain->quitPending = true;
    LMessage::Send(LMessage(CMainLoopBase::msgQuit, mMain, mMain->Parent()));
    return mMain->quitPending ? TerminateReply::Cancel : TerminateReply::Now;
}

void AppDelegate::WillTerminate()
{
    if (fDestroyGlobals)
        fDestroyGlobals();
}

void AppDelegate::DidBecomeActive()
{
    if (!mMain)
        return;
    mMain->active = true;
    LMessage::Send(LMessage(CMainLoopBase::msgSwitch, mMain, mMain->Parent()));
}

void AppDelegate::DidResignActive()
{
    if (!mMain)
        return;
    mMain->active = false;
    LMessage::Send(LMessage(CMainLoopBase::msgSwitch, mMain, mMain->Parent()));
}

void AppDelegate::WillUpdate()
{
    // A handler running a nested event loop brings the next update pass here again.
    if (gInWillUpdate || !mMain)
        return;
    gInWillUpdate = true;
    LMessage::Send(LMessage(CMainLoopBase::msgDeferred, mMain, mMain->Parent()));
    gInWillUpdate = false;
}

bool AppDelegate::ValidateMenuItem(const plat::MenuItem& item) const
{
    return item.Action() == "terminate:" ? AnyQuitEnabled() : true;
}

bool AppDelegate::RespondsTo(std::string_view action) const
{
    return action == "menuitemchoosen:" || action == "terminate:";
}

void AppDelegate::Perform(std::string_view action, plat::MenuItem* sender)
{
    if (action == "menuitemchoosen:")
        MenuItemChosen(sender);
}

void AppDelegate::MenuBarTrack()
{
    LMenuBar* bar = LMenuBar::Current();
    if (!bar)
        return;
    LHandler* target = mMain ? mMain->CommandTarget() : nullptr;
    bar->ResetItems();
    LMessage::Send(LMessage(LMenuBar::msgReady, bar, target ? target : bar));
}

void AppDelegate::MenuAction(plat::MenuItem* item)
{
    if (item && item->Action() == "terminate:")
        plat::Application::Shared().Perform("terminate:", nullptr);
}

void AppDelegate::MenuItemChosen(plat::MenuItem* sender)
{
    LMenuBar* bar = LMenuBar::Current();
    if (!sender || sender->HasSubmenu() || !bar)
        return;
    LMenuItem* item = bar->SelectNativeItem(sender);
    if (item && mMain)
        LMessage::Send(LMessage(LMenuItem::msgSelected, item, mMain->CommandTarget()));
}

void AppDelegate::HandleAppleEvent(const AEDescriptor* event, const AEDescriptor* reply)
{
    if (!mMain)
        return;
    LAEDesc eventDesc;
    LAEDesc replyDesc;
    eventDesc.InitList(event);
    replyDesc.InitList(reply);
    CExtCmd command{LStringRef()};
    command.event = &eventDesc;
    command.reply = &replyDesc;
    command.flag = 1;
    LMessage::Send(LMessage(CExtCmd::msgAE, &command, mMain->Parent()));
}
