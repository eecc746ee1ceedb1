// The program on the X desktop worked as a person works it: clicks held 120 ms and keys held
// 40 ms through the X server, from a hand that moves while the program runs (menus, modal
// questions and panels run loops of their own). Effects are read from the screen's focus,
// the saved files and the program's documents.
#include "tests/display/DesktopFixture.h"
#include "tests/display/ProgramReport.h"
#include "analysis/events/CEventCell.h"
#include "analysis/events/CEventList.h"
#include "analysis/events/CEventWindow.h"
#include "analysis/records/SnxFields.h"
#include "analysis/window/CSourceControls.h"
#include "analysis/window/CSpecWindow.h"
#include "app/CApp.h"
#include "app/CreateGlobals.h"
#include "controls/settings/CMenuKeyDlg.h"
#include "platform/system/BundleInfo.h"
#include "platform/app/Application.h"
#include "platform/files/FileSpecText.h"
#include "platform/menus/MainMenu.h"
#include "platform/menus/Menu.h"
#include "platform/menus/MenuBar.h"
#include "platform/menus/MenuBarHost.h"
#include "platform/menus/MenuDriver.h"
#include "platform/menus/MenuItem.h"
#include "platform/menus/MenuListView.h"
#include "platform/menus/MenuTracking.h"
#include "platform/prefs/Preferences.h"
#include "platform/window/FieldEditorActions.h"
#include "platform/window/Window.h"
#include "shell/app/AppDelegate.h"
#include "shell/menus/ProgramMainMenu.h"
#include "tests/support/LiveCell.h"
#include "tests/support/PaneScreen.h"
#include "tests/support/ProgramResourceFile.h"
#include "tests/support/TempHome.h"
#include "ui/dialogs/LDialog.h"
#include "ui/layout/LFormulaLayout.h"
#include "ui/windows/LWindow.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace {

using namespace std::chrono_literals;

// Runs a program to its end from the hand's thread; its standard output when asked.
int RunProgram(const std::vector<std::string>& argv, std::string* output = nullptr)
{
    int out[2];
    if (pipe(out) != 0)
        return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    pid_t pid = -1;
    const bool started = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    std::string text;
    char buffer[256];
    for (ssize_t n; started && (n = read(out[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, size_t(n));
    close(out[0]);
    int status = -1;
    if (started)
        waitpid(pid, &status, 0);
    if (output)
        *output = text;
    return started && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The X server's keyboard layout, set by name for a test and back to "us" at its end.
class KeyboardLayout {
public:
    ~KeyboardLayout() { RunProgram({"setxkbmap", "us"}); }
    bool Use(const std::string& name) { return RunProgram({"setxkbmap", name}) == 0; }
};

// The person's hand: works the mouse and the keyboard through the X server on its own thread.
class Hand {
public:
    explicit Hand(plat::XServerDriver& x) : fX(x) {}
    ~Hand() { Join(); }

    void Do(std::function<void(Hand&)> moves)
    {
        Join();
        fDone = false;
        fThread = std::thread([this, moves = std::move(moves)] {
            moves(*this);
            fDone = true;
        });
    }
    bool Done() const { return fDone; }
    void Join()
    {
        if (fThread.joinable())
            fThread.join();
    }

    void Click(const plat::Point& at)
    {
        fX.MoveTo(at);
        fX.Sync();
        std::this_thread::sleep_for(80ms);
        fX.Press();
        fX.Sync();
        std::this_thread::sleep_for(120ms);
        fX.Release();
        fX.Sync();
        std::this_thread::sleep_for(120ms);
    }
    // Keys as xdotool names them ("ctrl+o", "Tab", "space", "c").
    void Key(const std::string& keys)
    {
        RunProgram({"xdotool", "keydown", keys});
        std::this_thread::sleep_for(40ms);
        RunProgram({"xdotool", "keyup", keys});
        std::this_thread::sleep_for(80ms);
    }
    void Type(const std::string& text)
    {
        for (char c : text)
            Key(std::string(1, c));
    }
    // The name of the X window with the keyboard focus.
    static std::string FocusName()
    {
        std::string name;
        RunProgram({"xdotool", "getwindowfocus", "getwindowname"}, &name);
        while (!name.empty() && (name.back() == '\n' || name.back() == ' '))
            name.pop_back();
        return name;
    }
    // The X window with the keyboard focus, as xdotool numbers it.
    static std::string FocusId()
    {
        std::string id;
        RunProgram({"xdotool", "getwindowfocus"}, &id);
        while (!id.empty() && (id.back() == '\n' || id.back() == ' '))
            id.pop_back();
        return id;
    }
    // The window manager's own window, as xdotool numbers it: it holds the focus for a moment
    // while the manager passes it on.
    static const std::string& ManagerId()
    {
        static const std::string id = [] {
            std::string text;
            RunProgram({"xprop", "-root", "_NET_SUPPORTING_WM_CHECK"}, &text);
            const size_t at = text.find("0x");
            return at == std::string::npos ? std::string() : std::to_string(std::stoul(text.substr(at), nullptr, 16));
        }();
        return id;
    }
    // Waits up to `limit` for the focus to pass to a window other than `before`; its id, or
    // empty when it stayed. When a dialog closes the window manager hands the focus for a
    // moment to the window behind it (`passing`) or to its own window before the next dialog
    // takes it: focus there counts only when it is still there at the limit.
    static std::string WaitFocusLeaves(const std::string& before, std::chrono::milliseconds limit = 5000ms,
                                       const std::string& passing = {})
    {
        const auto end = std::chrono::steady_clock::now() + limit;
        std::string id;
        while (std::chrono::steady_clock::now() < end) {
            id = FocusId();
            if (!id.empty() && id != before && id != passing && id != ManagerId())
                return id;
            std::this_thread::sleep_for(100ms);
        }
        return id == before ? std::string() : id;
    }
    // Escape typed to the modal window `id`; when it did not close it, the keyboard is taken to
    // it through X and Escape typed again, so that the test never waits on a forgotten dialog.
    // True when the first Escape closed it.
    bool EscapeCloses(const std::string& id)
    {
        Key("Escape");
        if (!WaitFocusLeaves(id, 3000ms).empty())
            return true;
        RunProgram({"xdotool", "windowfocus", "--sync", id});
        Key("Escape");
        return false;
    }
    // Waits up to `limit` for the window manager to show the window named `title` active.
    bool ShownActive(const std::string& title, std::chrono::milliseconds limit = 3000ms)
    {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (fX.ActiveTitle() != title) {
            if (std::chrono::steady_clock::now() >= end)
                return false;
            std::this_thread::sleep_for(100ms);
        }
        return true;
    }
    // Waits up to `limit` for the focus to pass to a window whose name holds `part`.
    static bool WaitFocus(const std::string& part, std::chrono::milliseconds limit = 5000ms)
    {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (std::chrono::steady_clock::now() < end) {
            if (FocusName().find(part) != std::string::npos)
                return true;
            std::this_thread::sleep_for(100ms);
        }
        return false;
    }

private:
    plat::XServerDriver& fX;
    std::thread fThread;
    std::atomic<bool> fDone{true};
};

// The whole program in this process on the desktop, from a first launch in a fresh home; a
// PATH whose xdg-open only writes down its arguments.
class ProgramOnDesktop : public DesktopTest {
protected:
    void SetUp() override
    {
        DesktopTest::SetUp();
        // This process's GL keeps the shader cache folder of the home it first drew in; each test's
        // home is removed after it, so the cache would only complain about a missing folder. The
        // programs later tests start are left as they are.
        setenv("MESA_SHADER_CACHE_DISABLE", "true", 1);
        std::filesystem::create_directories(Bin());
        std::ofstream(Bin() + "/xdg-open") << "#!/bin/sh\necho \"$@\" >> \"" << Opened() << "\"\n";
        std::filesystem::permissions(Bin() + "/xdg-open", std::filesystem::perms::owner_all);
        const char* path = std::getenv("PATH");
        fOldPath = path ? path : "";
        setenv("PATH", (Bin() + ":" + fOldPath).c_str(), 1);
        (void)plat::Preferences::Domain("").Synchronize();
        SetProgramResourceFile(fResources.Ref());
        LFormulaLayout prelude(nullptr, nullptr);
        plat::SetNilTargetResolver(&Resolve, &fDelegate);
        plat::Application::Shared().SetDelegate(&fDelegate);
        plat::SetMainMenu(MakeProgramMainMenu());
        ASSERT_EQ(CreateGlobals(), 0);
        fDelegate.SetMain(&CApp::Get()->MainLoop());
    }
    void TearDown() override
    {
        fHand.Join();
        plat::MenuBarHost::SetEnabled(false);
        fDelegate.SetMain(nullptr);
        DestroyGlobals();
        plat::SetNilTargetResolver(nullptr, nullptr);
        SetProgramResourceFile(0);
        setenv("PATH", fOldPath.c_str(), 1);
        unsetenv("MESA_SHADER_CACHE_DISABLE");
        DesktopTest::TearDown();
    }
    std::string Bin() const { return fHome.path() + "/bin"; }
    std::string Opened() const { return fHome.path() + "/opened.txt"; }
    static CApp& App() { return *CApp::Get(); }

    // Serves the program until the condition holds (the small menu window kept up to date,
    // as the program's run does before each wait).
    bool Serve(const std::function<bool()>& done, int limitMs = 8000)
    {
        return RunUntil([&] {
            plat::MenuBarHost::Update();
            return done();
        }, limitMs);
    }
    // Serves the program until the hand is done with its moves; answers how many dialogs it
    // left open. A hand that stops early on a fault leaves its dialog running its own loop:
    // once the hand is done, each one left is closed as by Escape, so that the test ends on
    // the fault instead of waiting in that loop until its time is up. `look` sees the dialog
    // in front (or null) whenever the program waits for input, also inside a dialog's loop.
    int ServeHand(int limitMs = 30000, const std::function<void(LHandler*)>& look = {})
    {
        int leftOpen = 0;
        plat::Application::Shared().SetIdleUser([&] {
            if (look)
                look(App().MainLoop().ModalTop());
            LHandler* dialog = fHand.Done() ? App().MainLoop().ModalTop() : nullptr;
            if (!dialog)
                return;
            ++leftOpen;
            LMessage::Send(LMessage(LDialog::msgEscape, dialog, dialog));
        });
        EXPECT_TRUE(Serve([&] { return fHand.Done(); }, limitMs));
        plat::Application::Shared().SetIdleUser(nullptr);
        return leftOpen;
    }
    // A document window on screen, key, as a person finds it at launch.
    CSpecWindow& OpenDocument()
    {
        CSpecWindow* window = App().OpenDocument("");
        EXPECT_NE(window, nullptr);
        plat::Window* native = window->Window()->Native();
        EXPECT_TRUE(Serve([&] { return ScreenDifference(*native) == 0; }));
        Serve([] { return false; }, 300);  // the window manager settles its focus
        native->MakeKeyAndOrderFront();
        EXPECT_TRUE(Serve([&] { return Hand::FocusName() == native->Title(); }));
        return *window;
    }
    // Where the title of a menu of the bar lies on the screen of a window that shows the bar.
    static plat::Point MenuTitle(const plat::Window& window, const std::string& title)
    {
        const plat::Rect content = window.ContentRect();
        for (const plat::MenuBar::Title& t : plat::MenuBar::Titles())
            if (t.text == title)
                return {content.x + t.x + t.width / 2, content.y + content.height + window.MenuBarHeight() / 2};
        ADD_FAILURE() << "no menu " << title;
        return {};
    }
    // Where a row of the open menu lies on the screen; null when the menu has no such item.
    static std::optional<plat::Point> MenuRow(const std::string& title)
    {
        plat::MenuTracking& tracking = plat::MenuTracking::Shared();
        plat::Window* menu = tracking.MenuWindow();
        plat::MenuListView* list = tracking.List();
        if (!menu || !list)
            return std::nullopt;
        const plat::Menu& items = *list->ItemMenu();
        const plat::Rect content = menu->ContentRect();
        for (size_t i = 0; i < items.Count(); ++i) {
            if (items.ItemAt(i)->Title() != title)
                continue;
            // The row's middle, found through the rows under each line of the list.
            double first = -1, last = -1;
            for (double y = 0.5; y < content.height; y += 1.0)
                if (list->RowAt(y) == int(i)) {
                    first = first < 0 ? y : first;
                    last = y;
                }
            if (first < 0)
                return std::nullopt;
            return plat::Point{content.x + 20, content.y + content.height - (first + last) / 2};
        }
        return std::nullopt;
    }
    // Opens a menu of the window's bar and chooses an item by mouse.
    void ChooseByMouse(const plat::Window& window, const std::string& menu, const std::string& item)
    {
        const plat::Point title = MenuTitle(window, menu);
        fHand.Do([title](Hand& hand) { hand.Click(title); });
        ASSERT_TRUE(Serve([&] { return MenuRow(item).has_value() && fHand.Done(); })) << menu << " did not open";
        const plat::Point row = *MenuRow(item);
        fHand.Do([row](Hand& hand) { hand.Click(row); });
    }

    TempHome fHome;
    ProgramResourceFile fResources;
    AppDelegate fDelegate;
    Hand fHand{fX};
    std::string fOldPath;

private:
    static plat::ActionResponder* Resolve(void* context, std::string_view action)
    {
        if (plat::ActionResponder* editor = plat::FieldEditorResponder(action))
            return editor;
        auto* responder = static_cast<plat::ActionResponder*>(context);
        if (responder->RespondsTo(action))
            return responder;
        plat::Application& app = plat::Application::Shared();
        return app.RespondsTo(action) ? &app : nullptr;
    }
};

} // namespace

TEST_F(ProgramOnDesktop, NewAndOpenWorkFromTheMenuWindowAfterTheLastDocumentCloses)
{
    plat::MenuBarHost::SetEnabled(true);
    OpenDocument();
    fHand.Do([](Hand& hand) { hand.Key("ctrl+w"); });
    ASSERT_TRUE(Serve([&] { return App().DocumentCount() == 0 && fHand.Done(); }));
    plat::Window* host = nullptr;
    ASSERT_TRUE(Serve([&] {
        host = plat::MenuBarHost::HostWindow();
        return host && ScreenDifference(*host) == 0 && Hand::FocusName() == "Sonalyx";
    }));
    ChooseByMouse(*host, "File", "New");
    EXPECT_TRUE(Serve([&] { return App().DocumentCount() == 1 && fHand.Done(); })) << "File > New by mouse";

    fHand.Do([](Hand& hand) { hand.Key("ctrl+w"); });
    ASSERT_TRUE(Serve([&] { return App().DocumentCount() == 0 && fHand.Done(); }));
    ASSERT_TRUE(Serve([&] { return Hand::FocusName() == "Sonalyx"; }));
    ChooseByMouse(*host, "File", "Open…");
    // The open panel runs its own loop: the hand answers it with Escape once it has the keyboard.
    std::atomic<bool> panelHadFocus{false};
    fHand.Do([&](Hand& hand) {
        panelHadFocus = Hand::WaitFocus("Open");
        hand.Key("Escape");
    });
    EXPECT_TRUE(Serve([&] { return App().DocumentCount() == 1 && fHand.Done(); }))
        << "cancelled with nothing open: an untitled document";
    EXPECT_TRUE(panelHadFocus) << "the open panel had no keyboard: " << Hand::FocusName();

    fHand.Do([](Hand& hand) { hand.Key("ctrl+w"); });
    ASSERT_TRUE(Serve([&] { return App().DocumentCount() == 0 && Hand::FocusName() == "Sonalyx"; }));
    fHand.Do([](Hand& hand) {
        hand.Key("ctrl+o");
        if (Hand::WaitFocus("Open"))
            hand.Key("Escape");
    });
    EXPECT_TRUE(Serve([&] { return App().DocumentCount() == 1 && fHand.Done(); })) << "Ctrl+O";
}

TEST_F(ProgramOnDesktop, HelpRunsTheOpenerWithTheReadmeBesideTheProgram)
{
    CSpecWindow& doc = OpenDocument();
    ChooseByMouse(*doc.Window()->Native(), "Help", "Sonalyx Help");
    const std::string readme = plat::MainBundleFolder() + "/README.md";
    EXPECT_TRUE(std::filesystem::exists(readme)) << "the build puts the README beside the program";
    EXPECT_TRUE(Serve([&] { return fHand.Done() && ReadAll(Opened()) == readme + "\n"; }))
        << "opener called with: " << ReadAll(Opened());
}

// Ctrl+Shift+2 given to an item in Assign Menu Shortcut… is the character those keys type on
// the layout in use: "@" on a US layout, '"' on a German one. The dialog shows it whole, the
// menu shows it, and those keys run the item while Ctrl+2 does not.
TEST_F(ProgramOnDesktop, AShortcutOfShiftAndADigitIsTheCharacterTyped)
{
    CSpecWindow& doc = OpenDocument();
    const plat::Window& window = *doc.Window()->Native();
    const auto zoomed = [&] { return doc.WindowRecord()->GetByte(kWindZmrw); };
    KeyboardLayout layouts;
    for (const auto& [layout, typed] : {std::pair<std::string, std::string>("us", "@"), {"de", "\""}}) {
        ASSERT_TRUE(layouts.Use(layout));
        ChooseByMouse(window, "Sonalyx", "Assign Menu Shortcut…");
        ChooseByMouse(window, "View", "Zoom Raw Signal");
        fHand.Do([](Hand& hand) {
            if (!Hand::WaitFocus("Menu Shortcut"))
                return;
            hand.Key("ctrl+shift+2");
            std::this_thread::sleep_for(300ms);
            hand.Key("Return");
        });
        std::string shown;
        bool whole = false;
        EXPECT_EQ(ServeHand(30000, [&](LHandler* front) {
            auto* dialog = dynamic_cast<CMenuKeyDlg*>(front);
            if (!dialog || dialog->KeyDisplay().Text().IsEmpty())
                return;
            auto& display = const_cast<LCaptionPane&>(dialog->KeyDisplay());
            shown = display.Text().View();
            whole = display.PrefWidth(nullptr, 0) <= display.Rect().Width();
        }), 0);
        EXPECT_EQ(shown, "Ctrl+" + typed) << layout;
        EXPECT_TRUE(whole) << shown << " is cut in the dialog";
        const auto item = plat::MenuDriver::Find({"View", "Zoom Raw Signal"});
        ASSERT_TRUE(item);
        EXPECT_EQ(plat::MenuBar::ShortcutText(*item), "Ctrl+" + typed) << layout;
        const uint8_t before = zoomed();
        fHand.Do([](Hand& hand) { hand.Key("ctrl+2"); });
        EXPECT_TRUE(Serve([&] { return fHand.Done(); }));
        Serve([] { return false; }, 300);
        EXPECT_EQ(zoomed(), before) << layout << ": Ctrl+2 ran the item";
        fHand.Do([](Hand& hand) { hand.Key("ctrl+shift+2"); });
        EXPECT_TRUE(Serve([&] { return fHand.Done() && zoomed() != before; }))
            << layout << ": Ctrl+Shift+2 did not run it";
    }
}

// Help's key, shown as Ctrl+? in its menu, does what choosing Help does: Ctrl+Shift+slash on a
// US layout, Ctrl+Shift+ß on a German one.
TEST_F(ProgramOnDesktop, HelpsKeyOpensTheReadmeAsChoosingHelpDoes)
{
    (void)OpenDocument();
    const auto help = plat::MenuDriver::Find({"Help", "Sonalyx Help"});
    ASSERT_TRUE(help);
    EXPECT_EQ(plat::MenuBar::ShortcutText(*help), "Ctrl+?");
    const std::string readme = plat::MainBundleFolder() + "/README.md";
    std::string opened;
    KeyboardLayout layouts;
    for (const auto& [layout, keys] :
         {std::pair<std::string, std::string>("us", "ctrl+shift+slash"), {"de", "ctrl+shift+ssharp"}}) {
        ASSERT_TRUE(layouts.Use(layout));
        fHand.Do([keys](Hand& hand) { hand.Key(keys); });
        opened += readme + "\n";
        EXPECT_TRUE(Serve([&] { return fHand.Done() && ReadAll(Opened()) == opened; }))
            << layout << ": opener called with: " << ReadAll(Opened());
    }
}

TEST_F(ProgramOnDesktop, TheWindowMenuListsTheWindowsAndRaisesTheOneChosen)
{
    CSpecWindow& first = OpenDocument();
    CSpecWindow& second = OpenDocument();
    ASSERT_TRUE(first.Save(fHome.path() + "/first.snx") && second.Save(fHome.path() + "/second.snx"));
    const std::string firstTitle = first.Window()->Native()->Title();
    ChooseByMouse(*second.Window()->Native(), "Window", firstTitle);
    EXPECT_TRUE(Serve([&] { return fHand.Done() && Hand::FocusName() == firstTitle; }))
        << "focus is on " << Hand::FocusName();
    EXPECT_TRUE(first.Window()->Native()->IsKey());
}

TEST_F(ProgramOnDesktop, HideIconifiesTheWindowsAndShowAllBringsThemBack)
{
    CSpecWindow& first = OpenDocument();
    CSpecWindow& second = OpenDocument();
    ASSERT_TRUE(first.Save(fHome.path() + "/first.snx") && second.Save(fHome.path() + "/second.snx"));
    const auto viewable = [](const plat::Window& window) {
        std::string found;
        RunProgram({"xdotool", "search", "--onlyvisible", "--name", "^" + window.Title() + "$"}, &found);
        return !found.empty();
    };
    plat::Window* a = first.Window()->Native();
    plat::Window* b = second.Window()->Native();
    fHand.Do([](Hand& hand) { hand.Key("ctrl+h"); });
    ASSERT_TRUE(Serve([&] { return fHand.Done() && !viewable(*a) && !viewable(*b); }))
        << "Hide left windows up: " << a->IsMiniaturized() << b->IsMiniaturized();
    // The person brings one back from its icon, then chooses Show All there.
    const std::string title = b->Title();
    fHand.Do([title](Hand&) { RunProgram({"xdotool", "search", "--name", "^" + title + "$", "windowactivate"}); });
    ASSERT_TRUE(Serve([&] { return fHand.Done() && viewable(*b) && ScreenDifference(*b) == 0; }));
    ChooseByMouse(*b, "Sonalyx", "Show All");
    EXPECT_TRUE(Serve([&] { return fHand.Done() && viewable(*a) && viewable(*b); })) << "Show All";
}

TEST_F(ProgramOnDesktop, AnEventTextTypedIntoItsRowIsInTheSavedDocument)
{
    CSpecWindow& doc = OpenDocument();
    const std::string path = fHome.path() + "/events.snx";
    ASSERT_TRUE(doc.Save(path));
    doc.ShowEventWindow();
    CEventWindow& events = *doc.EventWindow();
    plat::Window* panel = events.GetNativeWindow();
    ASSERT_TRUE(Serve([&] { return ScreenDifference(*panel) == 0; }));
    const plat::Point add = CentreOf(events.AddButton());
    fHand.Do([add](Hand& hand) { hand.Click(add); });
    ASSERT_TRUE(Serve([&] { return events.List().Rows() == 1 && fHand.Done(); }));
    // The person works in the document, the event-text window beside it; then clicks the new
    // row's text and types.
    plat::Window* document = doc.Window()->Native();
    document->MakeKeyAndOrderFront();
    ASSERT_TRUE(Serve([&] { return Hand::FocusName() == document->Title(); }));
    ASSERT_TRUE(Serve([&] { return ScreenDifference(*panel) == 0; }));
    LEditText& row = LiveCellOf<CEventCell>(events.List(), {0, 0}).Text();
    const CLRect cell = events.List().CellRect({0, 0});
    const plat::Point text = ScreenPoint(
        events.List(), {cell.left + row.Rect().left + 10, cell.top + (row.Rect().top + row.Rect().bottom) / 2});
    fHand.Do([text](Hand& hand) {
        hand.Click(text);
        hand.Type("cue");
        hand.Key("ctrl+s");
    });
    EXPECT_TRUE(Serve([&] { return fHand.Done() && ReadAll(path).find("cue") != std::string::npos; }))
        << "the saved document holds no event text";
}

// The Event Texts window floats beside the document without taking its keys: it shows without
// them, a question closed gives them back to the document rather than to it, and a click on the
// document takes them from it, also when the program was busy (a long drawing pass) while the
// person typed into its row and clicked the document: the window manager's reports of those
// clicks then come after the program's own choices.
TEST_F(ProgramOnDesktop, TheEventTextsWindowLeavesTheKeysToTheDocument)
{
    CSpecWindow& doc = OpenDocument();
    plat::Window* document = doc.Window()->Native();
    const std::string documentId = Hand::FocusId();
    const auto documentHasKeys = [&] {
        Serve([] { return false; }, 1000); // every report of the window manager is in
        return Hand::FocusId() == documentId && document->IsKey();
    };
    ChooseByMouse(*document, "Faders", "Event Texts");
    CEventWindow& events = *doc.EventWindow();
    ASSERT_TRUE(Serve([&] { return fHand.Done() && ScreenDifference(*events.GetNativeWindow()) == 0; }));
    EXPECT_TRUE(documentHasKeys()) << "shown, it took the keys: " << Hand::FocusName();

    ChooseByMouse(*document, "File", "Data Server…");
    fHand.Do([&](Hand& hand) {
        if (!Hand::WaitFocusLeaves(documentId).empty())
            hand.Key("Escape");
    });
    EXPECT_EQ(ServeHand(), 0);
    EXPECT_TRUE(documentHasKeys()) << "after the question: " << Hand::FocusName();

    const plat::Point add = CentreOf(events.AddButton());
    fHand.Do([add](Hand& hand) { hand.Click(add); });
    ASSERT_TRUE(Serve([&] { return events.List().Rows() == 1 && fHand.Done(); }));
    LEditText& row = LiveCellOf<CEventCell>(events.List(), {0, 0}).Text();
    const CLRect cell = events.List().CellRect({0, 0});
    const plat::Point text = ScreenPoint(
        events.List(), {cell.left + row.Rect().left + 10, cell.top + (row.Rect().top + row.Rect().bottom) / 2});
    const plat::Rect content = document->ContentRect();
    const plat::Point view{content.x + content.width / 2, content.y + content.height / 2};
    fHand.Do([text, view](Hand& hand) {
        hand.Click(text);
        hand.Type("cue");
        hand.Click(view);
    });
    while (!fHand.Done()) // busy: the program reads the person's input only afterwards
        std::this_thread::sleep_for(10ms);
    EXPECT_TRUE(documentHasKeys()) << "after the click on the document: " << Hand::FocusName();
}

TEST_F(ProgramOnDesktop, TabAndSpaceSwitchTheDataServerOnWithoutTheMouse)
{
    CSpecWindow& doc = OpenDocument();
    const std::string document = doc.Window()->Native()->Title();
    ASSERT_FALSE(doc.DataServer().IsListening());
    ChooseByMouse(*doc.Window()->Native(), "File", "Data Server…");
    std::atomic<bool> questionHadFocus{false};
    // A free port, so that display runs side by side do not meet on the default one.
    const uint16_t port = porttest::FreePort();
    ASSERT_NE(port, 0);
    fHand.Do([&, port](Hand& hand) {
        // The dialog runs its own loop; the hand waits until it has the keyboard.
        for (int i = 0; i < 50 && !questionHadFocus; ++i) {
            std::this_thread::sleep_for(100ms);
            const std::string focus = Hand::FocusName();
            questionHadFocus = !focus.empty() && focus != document;
        }
        hand.Key("ctrl+a"); // the port field has the keyboard: all of its number
        hand.Type(std::to_string(port));
        hand.Key("Tab");    // from the port field to the check box
        hand.Key("space");  // switches the server on
        std::this_thread::sleep_for(300ms);
        hand.Key("Escape");  // OK, the only button
    });
    EXPECT_TRUE(Serve([&] { return fHand.Done() && doc.DataServer().IsListening(); }))
        << "Tab and Space did not switch the server on";
    EXPECT_EQ(doc.DataServer().LocalPort(), port) << "the port typed was not taken";
    EXPECT_TRUE(questionHadFocus);
    EXPECT_TRUE(Serve([&] { return Hand::FocusName() == document; })) << "the dialog closed";
}

// The newest modal window is the key window, and the window manager shows it active, however the
// one before it closed: the export options after their save panel, and the second save-changes
// question after the first.
TEST_F(ProgramOnDesktop, ExportSpectraTakesTheKeysAfterItsSavePanel)
{
    CSpecWindow& doc = OpenDocument();
    const std::string recording = fHome.path() + "/ramp.tks";
    {
        std::ofstream out(recording, std::ios::binary);
        out << "dn \rsr 10\r";
        for (int i = 0; i < 100; ++i)
            out << std::hex << 0x200 + i << "\n";
    }
    doc.RecordLocation().SetPath(LStringRef(plat::SpecFromPosixPath(recording)));
    ASSERT_EQ(doc.MakePlaybackSource(), 0);
    doc.UsePlaybackSource();
    const std::string document = Hand::FocusId();
    ChooseByMouse(*doc.Window()->Native(), "File", "Export Spectra…");
    std::string panel, options, afterwards;
    bool escapeClosed = false, shownActive = false;
    fHand.Do([&](Hand& hand) {
        panel = Hand::WaitFocusLeaves(document);
        if (panel.empty())
            return;
        hand.Type("spectra");
        hand.Key("Return");
        options = Hand::WaitFocusLeaves(panel, 5000ms, document);
        if (options.empty() || options == document)
            return;
        afterwards = Hand::FocusName();
        shownActive = hand.ShownActive(afterwards);
        escapeClosed = hand.EscapeCloses(options);
    });
    EXPECT_EQ(ServeHand(), 0) << "the hand left a dialog open";
    ASSERT_FALSE(panel.empty()) << "the save panel had no keyboard";
    EXPECT_FALSE(options.empty()) << "nothing took the keyboard after the save panel";
    EXPECT_NE(options, document) << "the keys went back to the document";
    EXPECT_EQ(afterwards, "Export Spectra");
    EXPECT_TRUE(shownActive) << "the window manager does not show the export options active";
    EXPECT_TRUE(escapeClosed) << "Escape did not reach the export options";
    EXPECT_TRUE(Serve([&] { return Hand::FocusId() == document; }));
}

TEST_F(ProgramOnDesktop, TheSecondSaveChangesQuestionOnQuitTakesTheKeys)
{
    CSpecWindow& first = OpenDocument();
    CSpecWindow& second = OpenDocument();
    first.SetCutDC(1); // changes to save
    second.SetCutDC(1);
    const std::string document = Hand::FocusId();
    std::string question, next;
    bool escapeClosed = false;
    fHand.Do([&](Hand& hand) {
        hand.Key("ctrl+q");
        question = Hand::WaitFocusLeaves(document);
        if (question.empty())
            return;
        // Don't Save, clicked where it lies in the question.
        std::string geometry;
        RunProgram({"xdotool", "getwindowgeometry", question}, &geometry);
        const size_t at = geometry.find("Position: ");
        int x = 0, y = 0;
        char comma = 0;
        if (at != std::string::npos)
            std::istringstream(geometry.substr(at + 10)) >> x >> comma >> y;
        hand.Click(plat::Point{double(x + 151), double(899 - (y + 87))});
        next = Hand::WaitFocusLeaves(question, 5000ms, document);
        if (next.empty() || next == document)
            return;
        escapeClosed = hand.EscapeCloses(next);
    });
    EXPECT_EQ(ServeHand(), 0) << "the hand left a dialog open";
    ASSERT_FALSE(question.empty()) << "the first question had no keyboard";
    EXPECT_FALSE(next.empty()) << "nothing took the keyboard after Don't Save";
    EXPECT_NE(next, document) << "the keys went to a document";
    EXPECT_TRUE(escapeClosed) << "Escape did not reach the second question";
    EXPECT_EQ(App().DocumentCount(), 2u) << "Cancel on the second question keeps both documents";
}

TEST_F(ProgramOnDesktop, TheSourceChooserShownAgainAfterItsErrorTakesTheKeys)
{
    // A sound input that cannot be opened: choosing it shows an error, then the chooser again.
    const char* input = std::getenv("SONALYX_SOUND_INPUT");
    const std::string oldInput = input ? input : "";
    setenv("SONALYX_SOUND_INPUT", ("sim:file=" + fHome.path() + "/missing.wav").c_str(), 1);
    CSpecWindow& doc = OpenDocument();
    const std::string document = Hand::FocusId();
    const plat::Point source = CentreOf(doc.SourceControls().SourceButton());
    std::string chooser, error, again, againName;
    bool escapeClosed = false;
    fHand.Do([&](Hand& hand) {
        hand.Click(source);
        chooser = Hand::WaitFocusLeaves(document);
        if (chooser.empty())
            return;
        hand.Key("Return"); // OK with the sound input chosen
        error = Hand::WaitFocusLeaves(chooser, 5000ms, document);
        if (error.empty() || error == document)
            return;
        hand.Key("Return"); // the error's OK
        again = Hand::WaitFocusLeaves(error, 5000ms, document);
        if (again.empty() || again == document)
            return;
        againName = Hand::FocusName();
        escapeClosed = hand.EscapeCloses(again);
    });
    EXPECT_EQ(ServeHand(), 0) << "the hand left a dialog open";
    if (input)
        setenv("SONALYX_SOUND_INPUT", oldInput.c_str(), 1);
    else
        unsetenv("SONALYX_SOUND_INPUT");
    ASSERT_FALSE(chooser.empty()) << "the chooser had no keyboard";
    ASSERT_FALSE(error.empty()) << "no error took the keyboard";
    ASSERT_NE(error, document) << "no error for the sound input";
    EXPECT_FALSE(again.empty()) << "nothing took the keyboard after the error";
    EXPECT_NE(again, document) << "the keys went back to the document";
    EXPECT_FALSE(againName.empty());
    EXPECT_TRUE(escapeClosed) << "Escape did not reach the chooser shown again";
    EXPECT_TRUE(Serve([&] { return Hand::FocusId() == document; }));
}

// The open panel's type pop-up is a stop of its Tab ring: two Tabs from the file list pass the
// hidden-files box and reach it, Space opens its list, and Escape then closes the list only.
TEST_F(ProgramOnDesktop, TabReachesTheOpenPanelsTypePopupAndSpaceOpensItsList)
{
    OpenDocument();
    const std::string document = Hand::FocusId();
    std::string panel;
    bool listTookEscape = false, panelClosed = false;
    fHand.Do([&](Hand& hand) {
        hand.Key("ctrl+o");
        panel = Hand::WaitFocusLeaves(document);
        if (panel.empty())
            return;
        hand.Key("Tab");   // the hidden-files box
        hand.Key("Tab");   // the type pop-up
        hand.Key("space"); // opens its list
        std::this_thread::sleep_for(300ms);
        hand.Key("Escape"); // closes the list, not the panel
        listTookEscape = Hand::WaitFocusLeaves(panel, 1000ms, panel).empty() && Hand::FocusId() == panel;
        hand.Key("Escape");
        panelClosed = Hand::WaitFocusLeaves(panel, 3000ms) == document;
    });
    EXPECT_EQ(ServeHand(), 0) << "the hand left a dialog open";
    ASSERT_FALSE(panel.empty()) << "the open panel had no keyboard";
    EXPECT_TRUE(listTookEscape) << "the first Escape closed the panel: Space did not open the type list";
    EXPECT_TRUE(panelClosed) << "the second Escape did not close the panel";
    EXPECT_EQ(App().DocumentCount(), 1u);
}

// The built program started again with the Colours window left open: the document window in
// front has the keys, not the window shown beside it.
TEST_F(ProgramReport, AfterARestartTheDocumentHasTheKeysBesideTheColoursWindow)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(Choose("Sonalyx", "Colours…"));
    ASSERT_TRUE(RunUntil([&] { return FrontWindow() && FrontWindow()->title == "Colours"; }));
    fX.Tap("q", {"Control_L"});
    ASSERT_TRUE(RunUntil([&] { return !fProgram->Alive(); })) << "the program did not quit";
    ASSERT_NO_FATAL_FAILURE(Start());
    std::vector<ShownWindow> windows;
    ASSERT_TRUE(RunUntil([&] {
        windows = ReadShownWindows(fHome.Report());
        return std::any_of(windows.begin(), windows.end(), [](const ShownWindow& w) { return w.title == "Colours"; });
    })) << "the colour window was not reopened";
    RunUntil([] { return false; }, 1000); // every report of the window manager is in
    windows = ReadShownWindows(fHome.Report());
    const auto document = std::find_if(windows.begin(), windows.end(), [](const ShownWindow& w) { return !w.bar.empty(); });
    ASSERT_NE(document, windows.end());
    EXPECT_TRUE(document->key) << "the key window is another";
    EXPECT_EQ(fX.FocusTitle(), document->title);
}
