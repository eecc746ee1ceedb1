#include "shell/app/AppDelegate.h"

#include "foundation/core/LMessage.h"
#include "platform/app/Application.h"
#include "foundation/text/LStrList.h"
#include "platform/menus/MenuItem.h"
#include "platform/menus/WindowMenu.h"
#include "shell/app/CExtCmd.h"
#include "shell/files/FileUrls.h"
#include "shell/mainloop/CMacMainLoop.h"
#include "shell/system/LAEDesc.h"
#include "ui/dialogs/CSimpleMessageDialog.h"
#include "ui/dialogs/DialogResources.h"
#include "ui/menus/LMenu.h"
#include "ui/menus/LMenuBar.h"
#include "ui/menus/LMenuItem.h"

namespace {

bool gInWillUpdate = false;
constexpr const char* kWindowMenu = "WINDOW";
// Items of the 'CST#' list "APPMSG" and the window kind of a message box.
constexpr uint32_t kHelpMissingText = 2;
constexpr uint32_t kNoOpenerText = 3;
constexpr uint32_t kMessageWindowKind = 3;

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
    if (LMenu* windows = bar->FindMenu(kWindowMenu); windows && windows->Native())
        plat::WindowMenu::Fill(*windows->Native(), windows->FirstNativeIndex() + windows->Count());
}

void AppDelegate::HelpNotShown(HelpProblem problem, const std::string& path)
{
    if (!mMain)
        return;
    LStrList texts({0, "APPMSG"}, nullptr, kStrListDialogTexts);
    const LStringRef reason = texts.GetItem(problem == HelpProblem::Missing ? kHelpMissingText : kNoOpenerText);
    const std::string text = std::string(reason.View()) + " " + path;
    CSimpleMessageDialog box(mMain->Parent(), nullptr, ModalWindowDef(kMessageWindowKind));
    (void)box.Run(LStringRef(text.c_str()), 0, false);
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
