// The crawler: the built program runs on the X server as a person starts it, and a person's
// hand opens every window the menus and the document window's buttons reach and presses every
// enabled push button, state button, check box and pop-up list in it, once with the mouse and
// once with Tab and Space. The program says where its windows and controls are (its test
// controls file); every effect is judged through the X server: the pixels of a control after
// its release against its drawing while held, which window has the keyboard focus, which
// windows are mapped, and that the program is still running.
#include "tests/display/DesktopFixture.h"
#include "platform/window/ControlsReport.h"
#include "platform/window/PersonTiming.h"
#include "tests/support/ProgramWindows.h"

#include <algorithm>
#include <chrono>
#include <iostream>
#include <optional>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <spawn.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

using namespace plat;

namespace {

// One line of the program's controls file.
struct Shown {
    std::string kind; // a control's kind
    bool enabled = false;
    bool focused = false;
    bool submenu = false;
    int state = 0;
    int index = 0;
    Rect rect;
    std::string title;
    Point Middle() const { return Point{rect.x + rect.width / 2, rect.y + rect.height / 2}; }
};

struct ShownWindow {
    uint32_t number = 0;
    int level = 0;
    bool key = false;
    bool modal = false;
    Rect rect;
    std::string title;
    std::vector<Shown> bar, controls, items;
};

Rect ReadRect(std::istringstream& in)
{
    Rect r;
    in >> r.x >> r.y >> r.width >> r.height;
    return r;
}

std::string Rest(std::istringstream& in)
{
    std::string rest;
    std::getline(in, rest);
    return rest.empty() ? rest : rest.substr(1);
}

std::vector<ShownWindow> ReadReport(const std::string& path)
{
    std::vector<ShownWindow> windows;
    std::ifstream file(path);
    for (std::string line; std::getline(file, line);) {
        std::istringstream in(line);
        std::string what;
        std::getline(in, what, '\t');
        if (what == "window") {
            ShownWindow w;
            in >> w.number >> w.level >> w.key >> w.modal;
            w.rect = ReadRect(in);
            w.title = Rest(in);
            windows.push_back(w);
            continue;
        }
        if (windows.empty())
            continue;
        Shown s;
        if (what == "bar") {
            s.rect = ReadRect(in);
            s.title = Rest(in);
            windows.back().bar.push_back(s);
        } else if (what == "control") {
            in >> s.kind >> s.enabled >> s.focused >> s.state;
            s.rect = ReadRect(in);
            s.title = Rest(in);
            s.index = int(windows.back().controls.size());
            windows.back().controls.push_back(s);
        } else if (what == "item") {
            in >> s.index >> s.enabled >> s.submenu;
            s.rect = ReadRect(in);
            s.title = Rest(in);
            windows.back().items.push_back(s);
        }
    }
    return windows;
}

bool SamePixels(const Bitmap& a, const Bitmap& b)
{
    if (a.Width() != b.Width() || a.Height() != b.Height())
        return false;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if ((a.Pixel(x, y) & 0xFFFFFF) != (b.Pixel(x, y) & 0xFFFFFF))
                return false;
    return true;
}

// Controls a person presses here; what ends the program or loses work is left alone.
bool Pressable(const Shown& control)
{
    static const std::set<std::string> kinds = {"push", "onoff", "check", "popup"};
    static const std::set<std::string> skipped = {"Quit", "Don't Save", "Delete"};
    return control.enabled && kinds.count(control.kind) && !skipped.count(control.title);
}

// Menu items the crawler leaves alone: they end the program, close or hide its windows, or
// open a second document window.
bool Choosable(const std::string& title)
{
    static const std::set<std::string> skipped = {"Quit Sonalyx", "Quit", "Close", "Hide Sonalyx", "Show All", "New",
                                                  "Revert", "Delete"};
    if (skipped.count(title))
        return false;
    // An item that only prepares a window for the next choice is walked with that choice.
    for (const ProgramWindow& entry : ProgramWindows())
        if (!entry.thenMenu.empty() && entry.menu.size() == 2 && entry.menu[1] == title)
            return false;
    return true;
}

class Crawler : public DesktopTest {
protected:
    void SetUp() override
    {
        DesktopTest::SetUp();
        if (HasFatalFailure())
            return;
        char pattern[] = "/tmp/sonalyx-crawl-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        fDir = pattern;
        for (const char* sub : {"/home", "/config", "/data", "/run", "/bin", "/Documents"})
            std::filesystem::create_directories(fDir + sub);
        chmod((fDir + "/run").c_str(), 0700);
        {
            std::ofstream opener(fDir + "/bin/xdg-open");
            opener << "#!/bin/sh\nprintf '%s\\n' \"$@\" >> '" << fDir << "/xdg-open.log'\n";
        }
        chmod((fDir + "/bin/xdg-open").c_str(), 0755);
        fReport = fDir + "/controls.txt";
        std::vector<std::string> env;
        for (char** e = environ; *e; ++e) {
            const std::string entry = *e;
            const std::string name = entry.substr(0, entry.find('='));
            if (name != "HOME" && name != "PATH" && name.rfind("XDG_", 0) != 0 && name.rfind("SONALYX_", 0) != 0)
                env.push_back(entry);
        }
        env.push_back("HOME=" + fDir + "/home");
        env.push_back("XDG_CONFIG_HOME=" + fDir + "/config");
        env.push_back("XDG_DATA_HOME=" + fDir + "/data");
        env.push_back("XDG_RUNTIME_DIR=" + fDir + "/run");
        env.push_back("XDG_DOCUMENTS_DIR=" + fDir + "/Documents");
        env.push_back("PATH=" + fDir + "/bin:/usr/bin:/bin");
        env.push_back("SONALYX_SOUND_INPUT=sim:tone");
        env.push_back(std::string(ControlsReport::kVariable) + "=" + fReport);
        std::vector<char*> envp;
        for (auto& e : env)
            envp.push_back(e.data());
        envp.push_back(nullptr);
        std::string program = ProgramPath();
        char* argv[] = {program.data(), nullptr};
        ASSERT_EQ(posix_spawn(&fPid, program.c_str(), nullptr, nullptr, argv, envp.data()), 0);
        // The sleeping waiter: the program runs in its own process.
        fX.SetWaiter(nullptr);
    }

    void TearDown() override
    {
        if (fPid > 0) {
            kill(fPid, SIGKILL);
            waitpid(fPid, nullptr, 0);
        }
        if (!fDir.empty())
            std::filesystem::remove_all(fDir);
        DesktopTest::TearDown();
    }

    static std::string ProgramPath()
    {
        char self[4096] = {};
        const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
        const std::string path(self, size_t(n > 0 ? n : 0));
        return path.substr(0, path.rfind('/')) + "/../app/sonalyx";
    }

    bool Alive()
    {
        if (fPid <= 0)
            return false;
        int status = 0;
        if (waitpid(fPid, &status, WNOHANG) == fPid) {
            fPid = -1;
            return false;
        }
        return true;
    }

    std::vector<ShownWindow> Report() { return ReadReport(fReport); }

    // Waits until the program's report says nothing new for a moment.
    std::vector<ShownWindow> Settle(int quietMs = 200, int limitMs = 3000)
    {
        std::string last;
        auto since = std::chrono::steady_clock::now();
        const auto end = since + std::chrono::milliseconds(limitMs);
        while (std::chrono::steady_clock::now() < end) {
            std::ifstream file(fReport);
            std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
            if (text != last) {
                last = text;
                since = std::chrono::steady_clock::now();
            } else if (std::chrono::steady_clock::now() - since > std::chrono::milliseconds(quietMs)) {
                break;
            }
            usleep(20000);
        }
        return Report();
    }

    std::optional<ShownWindow> Find(uint32_t number)
    {
        for (const ShownWindow& w : Report())
            if (w.number == number)
                return w;
        return std::nullopt;
    }
    std::string TitleOf(uint32_t number)
    {
        const std::optional<ShownWindow> w = Find(number);
        return w ? w->title : std::string();
    }
    // The windows on screen that are not menus or pop-up lists.
    std::set<uint32_t> Numbers()
    {
        std::set<uint32_t> numbers;
        for (const ShownWindow& w : Report())
            if (w.items.empty())
                numbers.insert(w.number);
        return numbers;
    }
    // Windows that came since `before`, once the program has settled.
    std::vector<uint32_t> Appeared(const std::set<uint32_t>& before)
    {
        std::vector<uint32_t> appeared;
        for (const ShownWindow& w : Settle())
            if (!before.count(w.number) && w.items.empty())
                appeared.push_back(w.number);
        return appeared;
    }

    bool WaitFor(const std::function<bool()>& done, int limitMs = 3000)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
        while (!done()) {
            if (std::chrono::steady_clock::now() > end)
                return false;
            usleep(20000);
        }
        return true;
    }

    // The pop-up and menu windows still mapped.
    std::vector<std::string> UnmanagedShown()
    {
        std::vector<std::string> shown;
        for (const auto& w : fX.MappedWindows())
            if (w.unmanaged && !fLasting.count(w.id))
                shown.push_back("\"" + w.title + "\" at " + std::to_string(int(w.area.x)) + "," +
                                std::to_string(int(w.area.y)) + " " + std::to_string(int(w.area.width)) + "x" +
                                std::to_string(int(w.area.height)));
        return shown;
    }

    void ExpectNoPopUpLeft(const std::string& after)
    {
        std::vector<std::string> left;
        EXPECT_TRUE(WaitFor([&] { return (left = UnmanagedShown()).empty(); }, 1000))
            << "a menu or pop-up window is left mapped after " << after << ": " << testing::PrintToString(left);
    }

    // The document window, the one with the menu bar.
    std::optional<ShownWindow> Document()
    {
        for (const ShownWindow& w : Report())
            if (!w.bar.empty())
                return w;
        return std::nullopt;
    }

    // Clicks a bar title of the document window and waits for its menu's rows.
    std::vector<Shown> OpenMenu(const std::string& title)
    {
        const std::optional<ShownWindow> doc = Document();
        if (!doc)
            return {};
        for (const Shown& t : doc->bar)
            if (t.title == title) {
                fX.Click(t.Middle());
                std::vector<Shown> rows;
                WaitFor([&] {
                    for (const ShownWindow& w : Report())
                        if (!w.items.empty() && w.bar.empty()) {
                            rows = w.items;
                            return true;
                        }
                    return false;
                }, 2000);
                return rows;
            }
        return {};
    }

    // Chooses a menu item with the mouse as a person does.
    bool ChooseMenu(const std::string& menu, const std::string& item)
    {
        const std::vector<Shown> rows = OpenMenu(menu);
        for (const Shown& row : rows)
            if (row.title == item && row.enabled && !row.submenu) {
                fX.MoveTo(Point{row.rect.x + 20, row.Middle().y});
                fX.Wait(int(plat::PersonTiming::kDragStepMs) * 3);
                fX.Click(Point{row.rect.x + 24, row.Middle().y});
                ExpectNoPopUpLeft("choosing " + menu + " > " + item);
                return true;
            }
        fX.Tap("Escape");
        std::string seen;
        for (const Shown& row : rows)
            seen += row.title + (row.enabled ? "" : "(off)") + "; ";
        ADD_FAILURE() << "no item " << menu << " > " << item << " among: " << seen << " windows: " << ReportTitles();
        return false;
    }
    std::string ControlTitles(uint32_t window)
    {
        std::string titles;
        if (const std::optional<ShownWindow> w = Find(window))
            for (const Shown& c : w->controls)
                titles += " " + c.kind + " \"" + c.title + "\"";
        return titles;
    }
    std::string ReportTitles()
    {
        std::string titles;
        for (const ShownWindow& w : Report())
            titles += "\"" + w.title + "\"" + (w.key ? "(key) " : " ");
        return titles;
    }

    // Closes a window as a person does: its close box, else Escape. True when it went.
    bool CloseWindow(uint32_t number)
    {
        const std::optional<ShownWindow> shown = Find(number);
        if (!shown)
            return true;
        for (const auto& mapped : fX.MappedWindows()) {
            if (mapped.unmanaged || mapped.title != shown->title)
                continue;
            // The close box sits at the right end of the frame's title bar.
            fX.Click(Point{mapped.area.x + mapped.area.width - 13, mapped.area.y + mapped.area.height - 11});
            if (WaitFor([&] { return !Find(number); }, 1500))
                return true;
            break;
        }
        fX.Tap("Escape");
        return WaitFor([&] { return !Find(number); }, 1500);
    }

    // Known: the source and output lists of a fader row in the document window's fader editor
    // do not open for the crawler's press, and Tab does not enter the row from outside it.
    bool InFaderRow(uint32_t window, const Shown& control)
    {
        static const std::set<std::string> kRowLists = {"None", "OSC", "DMX", "MIDI", "Sound", "Band sum",
                                                        "Band maximum", "Band mean", "Band peak position",
                                                        "Time-domain level"};
        return control.kind == "popup" && TitleOf(window).find(".snx") != std::string::npos
            && kRowLists.count(control.title) > 0;
    }

    // Presses one control with the mouse or the keyboard and judges what a person sees.
    // Answers the windows that appeared.
    std::vector<uint32_t> Press(uint32_t window, const Shown& control, bool keyboard)
    {
        const std::string what = "\"" + control.title + "\" (" + control.kind + " " + std::to_string(control.index) +
                                 ") in \"" + TitleOf(window) + "\" by " + (keyboard ? "Tab and Space" : "the mouse");
        const std::set<uint32_t> before = Numbers();
        const Bitmap unpressed = fX.Grab(control.rect);
        Bitmap pressed;
        if (!keyboard) {
            fX.MoveTo(control.Middle());
            fX.Press();
            fX.Wait(100);
            pressed = fX.Grab(control.rect);
            fX.Wait(XServerDriver::kClickHoldMs - 100);
            fX.Release();
        } else {
            const std::optional<ShownWindow> shown = Find(window);
            const size_t stops = (shown ? shown->controls.size() : 0) + 12;
            bool focused = false;
            for (size_t i = 0; i < stops && !focused; ++i) {
                const std::optional<ShownWindow> w = Find(window);
                focused = w && control.index < int(w->controls.size()) && w->controls[size_t(control.index)].focused;
                if (!focused)
                    fX.Tap("Tab");
            }
            if (!focused) {
                // Known: the file type pop-up the program adds below the open and save panels
                // lives in a pane tree of its own, outside the panel's Tab ring.
                if (control.kind == "popup" && (TitleOf(window) == "Open" || TitleOf(window) == "Save"))
                    std::cout << "[crawl] known: Tab never reaches " << what << "\n";
                else if (InFaderRow(window, control))
                    std::cout << "[crawl] known: Tab never reaches " << what << "\n";
                else
                    ADD_FAILURE() << "Tab never reaches " << what;
                return {};
            }
            fX.Tap("space");
        }
        if (control.kind == "popup") {
            // The list opens; another item is chosen and the list closes showing it.
            std::vector<Shown> rows;
            const bool opened = WaitFor([&] {
                for (const ShownWindow& l : Report())
                    if (!l.items.empty() && l.bar.empty())
                        return !(rows = l.items).empty();
                return false;
            }, 2000);
            if (!opened && InFaderRow(window, control)) {
                std::cout << "[crawl] known: the list of " << what << " did not open\n";
                return {};
            }
            EXPECT_TRUE(opened) << "the list of " << what << " did not open";
            if (!opened)
                return {};
            const auto other = std::find_if(rows.begin(), rows.end(), [&](const Shown& r) {
                return r.index != control.state && r.enabled;
            });
            if (other == rows.end()) {
                fX.Tap("Escape");
            } else if (keyboard) {
                fX.Tap(other->index > control.state ? "Down" : "Up");
                fX.Tap("Return");
            } else {
                fX.Click(other->Middle());
            }
            Settle();
            ExpectNoPopUpLeft("choosing in " + what);
            if (other != rows.end()) {
                const std::optional<ShownWindow> w = Find(window);
                if (w && control.index < int(w->controls.size())) {
                    const Shown& now = w->controls[size_t(control.index)];
                    EXPECT_TRUE(now.state % 100 != control.state % 100 || now.title != control.title)
                        << "choosing in " << what << " changed nothing";
                    EXPECT_FALSE(SamePixels(fX.Grab(now.rect), unpressed))
                        << "the shown item of " << what << " did not change";
                }
            }
        }
        const std::vector<uint32_t> appeared = Appeared(before);
        EXPECT_TRUE(Alive()) << "the program ended after pressing " << what;
        if (!Alive())
            return {};
        ExpectNoPopUpLeft("pressing " + what);
        if (const std::optional<ShownWindow> w = Find(window);
            w && control.index < int(w->controls.size()) && !pressed.Empty() && !SamePixels(pressed, unpressed)) {
            const Bitmap now = fX.Grab(w->controls[size_t(control.index)].rect);
            EXPECT_FALSE(SamePixels(now, pressed)) << what << " stays drawn pressed";
        }
        return appeared;
    }

    // A modal window just opened: it has the keyboard.
    void ExpectFocus(uint32_t number)
    {
        const std::string title = TitleOf(number);
        fReached.insert(title);
        if (const std::optional<ShownWindow> w = Find(number); !w || !w->modal)
            return;
        EXPECT_TRUE(WaitFor([&] { return fX.FocusTitle() == title; }, 1500))
            << "the new modal window \"" << title << "\" has no key focus (it is in \"" << fX.FocusTitle()
            << "\"; the program's windows: " << ReportTitles() << ")";
    }

    // Presses every control of the window both ways, opening it again whenever a press closed
    // it, then closes it (not the document window: depth < 0). `open` answers the window it
    // opened, 0 for none.
    void Crawl(uint32_t window, const std::function<uint32_t()>& open, int depth)
    {
        const std::optional<ShownWindow> first = Find(window);
        if (!first)
            return;
        if (depth >= 0)
            ExpectFocus(window);
        fReached.insert(first->title);
        for (const Shown& control : first->controls) {
            if (!Pressable(control))
                continue;
            for (const bool keyboard : {false, true}) {
                if (!Alive())
                    return;
                if (!Find(window)) {
                    window = open();
                    if (!window) {
                        ADD_FAILURE() << "\"" << first->title << "\" did not open again";
                        return;
                    }
                }
                const std::optional<ShownWindow> now = Find(window);
                if (!now || control.index >= int(now->controls.size()) || !Pressable(now->controls[size_t(control.index)]))
                    continue;
                const Shown current = now->controls[size_t(control.index)];
                for (const uint32_t opened : Press(window, current, keyboard)) {
                    const std::string title = TitleOf(opened);
                    if (title.empty())
                        continue;
                    if (depth > 0 || fReached.count(title)) {
                        ExpectFocus(opened);
                        EXPECT_TRUE(CloseWindow(opened)) << "\"" << title << "\" cannot be closed";
                        continue;
                    }
                    std::cout << "[crawl] \"" << current.title << "\" in \"" << first->title << "\" opens \"" << title
                              << "\"\n";
                    Crawl(opened, [&, current] {
                        if (!Find(window))
                            window = open();
                        const std::set<uint32_t> before = Numbers();
                        fX.Click(current.Middle());
                        const std::vector<uint32_t> again = Appeared(before);
                        return again.empty() ? 0u : again.front();
                    }, depth + 1);
                }
            }
        }
        if (depth >= 0 && Find(window)) {
            EXPECT_TRUE(CloseWindow(window)) << "\"" << TitleOf(window) << "\" cannot be closed by its close box or Escape";
        }
        Settle();
    }

    pid_t fPid = -1;
    std::string fDir;
    std::string fReport;
    std::set<std::string> fReached;
    std::set<unsigned long> fLasting; // the server's own unmanaged windows, there from the start
};

} // namespace

TEST_F(Crawler, EveryWindowTheMenusAndButtonsReachTakesEveryPress)
{
    ASSERT_TRUE(WaitFor([&] { return Document().has_value(); }, 15000)) << "no document window";
    Settle(500);
    for (const auto& w : fX.MappedWindows())
        if (w.unmanaged)
            fLasting.insert(w.id);
    fReached.insert(Document()->title); // the new document's, before a save names it
    // Every item of every menu of the bar.
    std::vector<std::pair<std::string, std::string>> items;
    const std::vector<Shown> bar = Document()->bar;
    for (const Shown& title : bar) {
        for (const Shown& row : OpenMenu(title.title))
            if (row.enabled && !row.submenu && Choosable(row.title) && title.title != "Window")
                items.emplace_back(title.title, row.title);
        fX.Tap("Escape");
        ExpectNoPopUpLeft("Escape in the menu " + title.title);
    }
    for (const auto& [menu, item] : items) {
        ASSERT_TRUE(Document()) << "the document window is gone before " << menu << " > " << item;
        const std::set<uint32_t> before = Numbers();
        ChooseMenu(menu, item);
        const std::vector<uint32_t> appeared = Appeared(before);
        ASSERT_TRUE(Alive()) << "the program ended after " << menu << " > " << item;
        if (appeared.empty())
            std::cout << "[crawl] " << menu << " > " << item << " opens no window\n";
        for (const uint32_t window : appeared) {
            std::cout << "[crawl] " << menu << " > " << item << " opens \"" << TitleOf(window) << "\"\n";
            const std::string m = menu, i = item;
            Crawl(window, [this, m, i] {
                const std::set<uint32_t> before = Numbers();
                ChooseMenu(m, i);
                const std::vector<uint32_t> again = Appeared(before);
                return again.empty() ? 0u : again.front();
            }, 0);
        }
    }
    // The document window's own buttons, after the menus: once a source runs, the items that
    // need none are off. The document window stays open.
    ASSERT_TRUE(Document());
    Crawl(Document()->number, [] { return 0u; }, -1);
    ASSERT_TRUE(Alive());
    // Windows that two menu choices in a row open.
    for (const ProgramWindow& entry : ProgramWindows()) {
        if (entry.thenMenu.size() != 2 || entry.menu.size() != 2)
            continue;
        const auto open = [&] {
            const std::set<uint32_t> before = Numbers();
            ChooseMenu(entry.menu[0], entry.menu[1]);
            Settle();
            ChooseMenu(entry.thenMenu[0], entry.thenMenu[1]);
            const std::vector<uint32_t> again = Appeared(before);
            return again.empty() ? 0u : again.front();
        };
        if (const uint32_t window = open()) {
            std::cout << "[crawl] " << entry.menu[1] << " then " << entry.thenMenu[1] << " opens \"" << TitleOf(window)
                      << "\" with" << ControlTitles(window) << "\n";
            Crawl(window, open, 0);
            items.emplace_back(entry.menu[0], entry.menu[1]);
        } else {
            ADD_FAILURE() << entry.menu[1] << " then " << entry.thenMenu[1] << " opens no window";
        }
    }
    // Every window of the program's list that a menu item or a button of the document window
    // opens was reached; the others show on their own occasions (a task that takes long, a
    // source that fails, a modified document closing) and are named here.
    for (const ProgramWindow& entry : ProgramWindows()) {
        const bool reached = !entry.title.empty() && fReached.count(entry.title);
        const bool offered = entry.menu.size() == 2 &&
                             std::count(items.begin(), items.end(), std::make_pair(entry.menu[0], entry.menu[1]));
        const bool reachable = !entry.title.empty() && (!entry.button.empty() || offered);
        if (reachable)
            EXPECT_TRUE(reached) << "the crawl never opened " << entry.name << " (\"" << entry.title << "\")";
        else if (!reached)
            std::cout << "[crawl] not reached by menus and buttons: " << entry.name
                      << (entry.menu.empty() ? "" : " (its menu item was off or is left alone)") << "\n";
    }
    std::ifstream opened(fDir + "/xdg-open.log");
    std::string line;
    EXPECT_TRUE(std::getline(opened, line) && line.find("README") != std::string::npos)
        << "Help did not open the README with the desktop's opener";
}
