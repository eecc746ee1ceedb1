#pragma once
#include "app/CApp.h"
#include "app/CreateGlobals.h"
#include "platform/app/Application.h"
#include "platform/app/ApplicationDriver.h"
#include "platform/menus/MainMenu.h"
#include "platform/menus/Menu.h"
#include "platform/menus/MenuActions.h"
#include "platform/menus/MenuDriver.h"
#include "platform/menus/MenuItem.h"
#include "platform/prefs/Preferences.h"
#include "platform/window/FieldEditorActions.h"
#include "platform/window/PanelTestDriver.h"
#include "platform/window/UserWindowActions.h"
#include "platform/window/WindowTestDriver.h"
#include "shell/app/AppDelegate.h"
#include "shell/menus/ProgramMainMenu.h"
#include "tests/controls/lists/ListDragKit.h"
#include "tests/support/FireDueTimers.h"
#include "tests/support/LocaleEnvironmentTest.h"
#include "tests/support/MenuCommand.h"
#include "tests/support/PaneScreen.h"
#include "tests/support/ProgramResourceFile.h"
#include "ui/layout/LFormulaLayout.h"
#include "ui/menus/LMenuBar.h"
#include "ui/menus/LMenuItem.h"
#include "ui/windows/LWindow.h"

#include <cstdlib>
#include <filesystem>
#include <string>

// The program as it runs for a person: its resource file, main menu, delegate and global
// services, with the window, panel and application drivers to play the user. Each test may
// take the services down and make them again over the same temporary home, as a quit and a
// relaunch do.
class AppRunTest : public LocaleEnvironmentTest {
protected:
    AppRunTest()
    {
        ForgetPreferences();
        SetProgramResourceFile(resources.Ref());
        LFormulaLayout prelude(nullptr, nullptr); // fills the process-wide layout prelude
        plat::SetNilTargetResolver(&Resolve, &delegate);
        plat::Application::Shared().SetDelegate(&delegate);
    }
    ~AppRunTest() override
    {
        Stop();
        plat::Application::Shared().SetDelegate(nullptr);
        plat::SetNilTargetResolver(nullptr, nullptr);
        plat::SetMainMenu(nullptr);
        SetProgramResourceFile(0);
        ForgetPreferences();
    }
    // Each test starts as on a first launch: no preferences file.
    static void ForgetPreferences()
    {
        if (const char* config = std::getenv("XDG_CONFIG_HOME"))
            std::filesystem::remove_all(std::string(config) + "/sonalyx");
        // With nothing to write, the domain reads its (now missing) file again.
        (void)plat::Preferences::Domain("").Synchronize();
    }
    // Launches the program: a fresh main menu, as a new process has, then the services.
    void Start()
    {
        plat::SetMainMenu(MakeProgramMainMenu());
        ASSERT_EQ(CreateGlobals(), 0);
        delegate.SetMain(&CApp::Get()->MainLoop());
        user.Activate(); // the program is the one the person works with
    }
    void Stop()
    {
        delegate.SetMain(nullptr);
        DestroyGlobals();
    }
    // The title of the application menu, the first of the bar.
    static std::string AppMenu() { return plat::MainMenu()->ItemAt(0)->Title(); }
    // Chooses a command as its menu item does.
    static void Choose(const char* command) { ChooseCommand(CApp::Get(), command); }
    // The menu bar's item for a command, made ready as before the menu opens.
    static LMenuItem* ReadyItem(const char* command)
    {
        LHandler* target = nullptr;
        LMenuBar* bar = CApp::Get()->MenuTarget(target);
        struct Search {
            const char* command;
            LMenuItem* item;
        } search{command, nullptr};
        if (bar)
            bar->ForEachItem(&search, [](void* context, LMenuItem* item) {
                auto* s = static_cast<Search*>(context);
                if (!s->item && item->HasCommand(s->command))
                    s->item = item;
            });
        return search.item;
    }
    static bool Enabled(const char* command)
    {
        const LMenuItem* item = ReadyItem(command);
        return item && item->enabled;
    }
    // A key press in the key window, as the user types it (characters and modifier bits).
    void PostKey(const std::string& characters, uint16_t keyCode, uint32_t modifiers = 0)
    {
        windows.PostKey(plat::EventType::KeyDown, characters, keyCode, modifiers);
        windows.PostKey(plat::EventType::KeyUp, characters, keyCode, modifiers);
    }
    void PressReturn() { PostKey("\r", 36); }
    void PressEscape() { PostKey("\x1b", 53); }
    // A row of a list dragged by the person's pointer to the gap before row `gap` of a list in
    // another window: the two windows side by side, the one dragged from made key by the press.
    void DragRow(LListPane& from, int32_t row, LListPane& to, int32_t gap)
    {
        plat::Window& left = *from.GetNativeWindow();
        plat::Window& right = *to.GetNativeWindow();
        plat::UserWindowActions::Move(left, {0, 0});
        plat::UserWindowActions::Move(right, {left.Frame().width + 10, 0});
        left.MakeKeyAndOrderFront();
        const CLRect cell = from.CellRect({0, row});
        const plat::Point at = ListDragKit::Screen(from, {cell.left + 2, cell.top + 2});
        const plat::Point end = ListDragKit::Gap(to, gap);
        windows.PostMouse(plat::EventType::LeftMouseDown, at);
        windows.DeliverAll();
        FireDueTimers();
        windows.WhenWaiting([this, end] { windows.PostMouse(plat::EventType::LeftMouseDragged, end); });
        windows.WhenWaiting([this, end] { windows.PostMouse(plat::EventType::LeftMouseUp, end); });
        windows.PostMouse(plat::EventType::LeftMouseDragged, {at.x, at.y - 10});
        windows.DeliverAll();
        EXPECT_EQ(windows.StepsLeft(), 0u) << "the drag did not run";
    }
    // The framework window in front, or null.
    LWindow* KeyFrameWindow() const { return LWindow::FindByNative(windows.KeyWindow()); }
    template <typename T>
    T* KeyDialog() const
    {
        LWindow* window = KeyFrameWindow();
        return window ? dynamic_cast<T*>(window->GetOwner()) : nullptr;
    }

    ProgramResourceFile resources;
    plat::WindowTestDriver windows;
    plat::ApplicationDriver user;
    plat::PanelTestDriver panels;
    AppDelegate delegate;

private:
    // As the program resolves them: the focused field editor, then the delegate.
    static plat::ActionResponder* Resolve(void* context, std::string_view action)
    {
        if (plat::ActionResponder* editor = plat::FieldEditorResponder(action))
            return editor;
        auto* responder = static_cast<plat::ActionResponder*>(context);
        return responder->RespondsTo(action) ? responder : nullptr;
    }
};
