// The crawler: the built program runs on the X server as a person starts it, and a person's
// hand opens every window the menus and the document window's buttons reach and presses every
// enabled push button, state button, check box and pop-up list in it, once with the mouse and
// once with Tab and Space. The program says where its windows and controls are (its test
// controls file); every effect is judged through the X server: the pixels of a control after
// its release against its drawing while held, which window has the keyboard focus, which
// windows are mapped, and that the program is still running.
#include "tests/display/DesktopFixture.h"
#include "tests/display/ProgramProcess.h"
#include "tests/display/ProgramReport.h"
#include "tests/display/ShownControls.h"
#include "platform/menus/MenuTracking.h"
#include "platform/window/PersonTiming.h"
#include "tests/support/ProgramWindows.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <iostream>
#include <optional>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

using namespace plat;

namespace {

// Controls a person presses here; what ends the program or loses work is left alone.
bool Pressable(const Shown& control)
{
    static const std::set<std::string> kinds = {"push", "onoff", "check", "popup"};
    static const std::set<std::string> skipped = {"Quit", "Don't Save", "Don’t Save", "Delete"};
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

// The recording a person keeps in the documents folder, first in its list of recordings.
constexpr const char* kRecording = "0-tone.wav";

// Twenty minutes of a 440 Hz tone, mono, 16-bit, 22050 frames a second: an export of it takes
// long enough to show its progress window.
void WriteRecording(const std::string& path)
{
    constexpr uint32_t kRate = 22050, kFrames = kRate * 1200;
    std::vector<int16_t> samples(kFrames);
    for (uint32_t i = 0; i < kFrames; ++i)
        samples[i] = int16_t(8000.0 * std::sin(2.0 * M_PI * 440.0 * double(i) / kRate));
    const uint32_t bytes = kFrames * 2;
    std::ofstream out(path, std::ios::binary);
    const auto put = [&](uint32_t value, int size) {
        for (int i = 0; i < size; ++i)
            out.put(char((value >> (8 * i)) & 0xFF));
    };
    out << "RIFF";
    put(36 + bytes, 4);
    out << "WAVEfmt ";
    put(16, 4);
    put(1, 2); // whole numbers
    put(1, 2); // one channel
    put(kRate, 4);
    put(kRate * 2, 4);
    put(2, 2);
    put(16, 2);
    out << "data";
    put(bytes, 4);
    out.write(reinterpret_cast<const char*>(samples.data()), std::streamsize(bytes));
}

class Crawler : public DesktopTest {
protected:
    void SetUp() override
    {
        DesktopTest::SetUp();
        if (HasFatalFailure())
            return;
        {
            std::ofstream opener(fHome.Bin() + "/xdg-open");
            opener << "#!/bin/sh\nprintf '%s\\n' \"$@\" >> '" << OpenerLog() << "'\n";
        }
        chmod((fHome.Bin() + "/xdg-open").c_str(), 0755);
        WriteRecording(fHome.Folder() + "/Documents/" + kRecording);
        fProgram = std::make_unique<ProgramProcess>(fHome, std::vector<std::string>{},
                                                    std::vector<std::string>{"SONALYX_SOUND_INPUT=sim:tone"});
        ASSERT_TRUE(fProgram->Started());
        // The sleeping waiter: the program runs in its own process.
        fX.SetWaiter(nullptr);
    }

    void TearDown() override
    {
        fProgram.reset();
        DesktopTest::TearDown();
    }

    std::string OpenerLog() const { return fHome.Folder() + "/xdg-open.log"; }
    bool Alive() { return fProgram && fProgram->Alive(); }

    std::vector<ShownWindow> Report() { return ReadShownWindows(fHome.Report()); }

    // Waits until the program's report says nothing new for a moment. Its static texts (a
    // playing time, the status values) change on their own and do not count.
    std::vector<ShownWindow> Settle(int quietMs = 200, int limitMs = 3000)
    {
        std::string last;
        auto since = std::chrono::steady_clock::now();
        const auto end = since + std::chrono::milliseconds(limitMs);
        while (std::chrono::steady_clock::now() < end) {
            std::ifstream file(fHome.Report());
            std::string text;
            for (std::string line; std::getline(file, line);)
                if (line.rfind("text\t", 0) != 0)
                    text += line + "\n";
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
                fAt = t.Middle();
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
    // The open menus (a bar title's menu and the submenus it shows), front first.
    std::vector<ShownWindow> MenuWindows()
    {
        std::vector<ShownWindow> menus;
        for (const ShownWindow& w : Report())
            if (!w.items.empty() && w.bar.empty())
                menus.push_back(w);
        return menus;
    }

    // Closes the open menus a level at a time with Escape, as a person does.
    void CloseMenus()
    {
        for (int i = 0; i < 3 && !MenuWindows().empty(); ++i) {
            const size_t open = MenuWindows().size();
            fX.Tap("Escape");
            WaitFor([&] { return MenuWindows().size() < open; }, 1000);
        }
    }

    // Opens the bar title's menu and rests the pointer on the item that holds a submenu until
    // it opens; answers the submenu's rows, which the report lists under the submenu's own
    // window, or none when it does not open.
    std::vector<Shown> OpenSubmenu(const std::string& menu, const std::string& parent)
    {
        const std::vector<Shown> rows = OpenMenu(menu);
        const auto row = std::find_if(rows.begin(), rows.end(), [&](const Shown& r) { return r.title == parent && r.submenu; });
        const std::vector<ShownWindow> menus = MenuWindows();
        if (row == rows.end() || menus.size() != 1)
            return {};
        const Point on{row->rect.x + 24, row->Middle().y};
        fX.Glide(fAt, on);
        fAt = on;
        std::vector<Shown> items;
        WaitFor([&] {
            for (const ShownWindow& w : MenuWindows())
                if (w.number != menus.front().number)
                    return !(items = w.items).empty();
            return false;
        }, int(MenuTracking::kSubmenuDelayMs) + 2000);
        return items;
    }

    // Chooses an item of the open submenu with the mouse: from its parent item across into the
    // submenu along the parent's row, then along the submenu to the item, and a click.
    bool ClickSubmenuRow(const std::vector<Shown>& rows, const std::string& item, const std::string& where)
    {
        const auto row = std::find_if(rows.begin(), rows.end(), [&](const Shown& r) { return r.title == item; });
        if (row == rows.end() || !row->enabled) {
            CloseMenus();
            return false;
        }
        const Point across{row->rect.x + 24, fAt.y}, on{row->rect.x + 24, row->Middle().y};
        fX.Glide(fAt, across);
        fX.Glide(across, on);
        fAt = on;
        fX.Click(on);
        ExpectNoPopUpLeft("choosing " + where + " > " + item);
        return true;
    }

    // Chooses every enabled item of every submenu of the bar's menus, one after the other, and
    // sees each choice marked when the submenu opens again for the next; the item marked at
    // first is chosen again at the end, so the settings the rest of the crawl runs with stay.
    void ChooseEverySubmenuItem(const std::vector<Shown>& bar)
    {
        for (const Shown& title : bar) {
            std::vector<std::string> parents;
            for (const Shown& row : OpenMenu(title.title))
                if (row.enabled && row.submenu)
                    parents.push_back(row.title);
            CloseMenus();
            for (const std::string& parent : parents) {
                ASSERT_TRUE(Alive());
                const std::string where = title.title + " > " + parent;
                std::vector<Shown> rows = OpenSubmenu(title.title, parent);
                EXPECT_FALSE(rows.empty()) << "the submenu " << where << " did not open for a resting pointer";
                std::string first;
                std::vector<std::string> choices;
                for (const Shown& row : rows) {
                    if (row.state == 1 && first.empty())
                        first = row.title;
                    if (row.enabled && row.state != 1)
                        choices.push_back(row.title);
                }
                if (!first.empty())
                    choices.push_back(first);
                std::string chosen;
                for (const std::string& choice : choices) {
                    if (!chosen.empty()) {
                        Settle();
                        rows = OpenSubmenu(title.title, parent);
                        const auto row = std::find_if(rows.begin(), rows.end(), [&](const Shown& r) { return r.title == chosen; });
                        EXPECT_TRUE(row != rows.end() && row->state == 1)
                            << "choosing " << where << " > " << chosen << " did not mark it";
                    }
                    EXPECT_TRUE(ClickSubmenuRow(rows, choice, where)) << "no item " << where << " > " << choice;
                    chosen = choice;
                }
                Settle();
                rows = OpenSubmenu(title.title, parent);
                const auto row = std::find_if(rows.begin(), rows.end(), [&](const Shown& r) { return r.title == chosen; });
                EXPECT_TRUE(chosen.empty() || (row != rows.end() && row->state == 1))
                    << "choosing " << where << " > " << chosen << " did not mark it";
                CloseMenus();
                ExpectNoPopUpLeft("Escape in the submenu " + where);
                std::cout << "[crawl] " << where << " chose " << choices.size() << " items\n";
            }
        }
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

    // Presses one control with the mouse or the keyboard and judges what a person sees.
    // Answers the windows that appeared.
    std::vector<uint32_t> Press(uint32_t window, const Shown& control, bool keyboard)
    {
        const std::string what = "\"" + control.title + "\" (" + control.kind + " " + std::to_string(control.index) +
                                 ") in \"" + TitleOf(window) + "\" by " + (keyboard ? "Tab and Space" : "the mouse");
        const std::set<uint32_t> before = Numbers();
        // The control as drawn before the press: a window that just came is still drawing.
        Bitmap unpressed = fX.Grab(control.rect);
        for (int i = 0; i < 5; ++i) {
            fX.Wait(60);
            Bitmap again = fX.Grab(control.rect);
            if (SamePixels(again, unpressed))
                break;
            unpressed = std::move(again);
        }
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
            // The focused control's place in the report, -1 for none.
            const auto focusedIndex = [&] {
                if (const std::optional<ShownWindow> w = Find(window))
                    for (const Shown& c : w->controls)
                        if (c.focused)
                            return c.index;
                return -1;
            };
            for (size_t i = 0; i < stops && !focused; ++i) {
                if (!Find(window)) {
                    fWentAway = true;
                    return {};
                }
                const int at = focusedIndex();
                focused = at == control.index;
                if (!focused) {
                    fX.Tap("Tab");
                    // A busy program reports the move a little later.
                    WaitFor([&] { return focusedIndex() != at; }, 400);
                }
            }
            if (!focused) {
                ADD_FAILURE() << "Tab never reaches " << what << "; the program's windows: " << ReportTitles();
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
            // A window that answers only now and then (a long task's) may take a second.
            const Rect rect = w->controls[size_t(control.index)].rect;
            EXPECT_TRUE(WaitFor([&] { return !Find(window) || !SamePixels(fX.Grab(rect), pressed); }, 1500))
                << what << " stays drawn pressed";
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
            if (!Pressable(control) || (depth == 0 && fLeave.count(control.title)))
                continue;
            // A window that goes by itself before Tab reaches the control (a task ending) is
            // opened again for one more try.
            std::vector<bool> passes = {false, true};
            bool retried = false;
            for (size_t pass = 0; pass < passes.size(); ++pass) {
                const bool keyboard = passes[pass];
                if (!Alive())
                    return;
                fWentAway = false;
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
                const std::vector<uint32_t> appeared = Press(window, current, keyboard);
                if (fWentAway && !retried) {
                    passes.push_back(keyboard);
                    retried = true;
                }
                for (const uint32_t opened : appeared) {
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

    // The program's front window that is no menu or list: the key one or a panel in front of
    // it that shows without the keys, else the first.
    std::optional<ShownWindow> Front()
    {
        std::optional<ShownWindow> first;
        for (const ShownWindow& w : Report())
            if (w.items.empty()) {
                if (w.key || w.keyless)
                    return w;
                if (!first)
                    first = w;
            }
        return first;
    }

    // Plays one step of a person's way to a window (ProgramWindow::way); false when it cannot.
    bool Step(const std::string& step)
    {
        const size_t space = step.find(' ');
        const std::string verb = step.substr(0, space), what = step.substr(space + 1);
        // The step waits for the front window to hold the keyboard on the server: it is
        // mapped, ready for a person's hand, and the program's report has caught up with it.
        std::optional<ShownWindow> front;
        const auto ready = [&] {
            return (front = Front()) && (verb == "menu" || front->keyless || fX.FocusTitle() == front->title);
        };
        if (verb == "answer") {
            // The question, when asked, comes in place of the window the last step was played
            // in; so does the window that follows it when none is asked.
            WaitFor([&] { return ready() && front->modal && front->number != fLastFront; }, 5000);
        } else {
            WaitFor(ready, 2000);
        }
        if (!front)
            return false;
        fLastFront = front->number;
        const std::set<uint32_t> before = Numbers();
        // The program writes its report when it next waits for input, so a report read right
        // after a gesture may be older than the gesture: a step that changes the windows waits
        // until the report shows the change.
        const auto windowsChanged = [&](int limitMs) { return WaitFor([&] { return Numbers() != before; }, limitMs); };
        if (verb == "menu") {
            const size_t split = what.find('>');
            const std::string item = what.substr(split + 1);
            if (!ChooseMenu(what.substr(0, split), item) || !WaitFor([&] { return MenuWindows().empty(); }, 5000))
                return false;
            // An item whose title ends in an ellipsis opens a window, and the next step is
            // played in it.
            const std::string ellipsis = "…";
            if (item.size() > ellipsis.size() && item.compare(item.size() - ellipsis.size(), ellipsis.size(), ellipsis) == 0 &&
                !WaitFor([&] { return ready() && !before.count(front->number) && (front->key || front->keyless); }, 5000))
                return false;
        } else if (verb == "key") {
            const size_t plus = what.find('+');
            if (plus == std::string::npos)
                fX.Tap(what);
            else
                fX.Tap(what.substr(plus + 1), {"Control_L"});
            // Return and Escape may end the window; they may also only end an edit.
            if (what == "Return" || what == "Escape")
                windowsChanged(1500);
        } else if (verb == "type") {
            fX.Type(what);
        } else if (verb == "at") {
            const double x = std::stod(what), y = std::stod(what.substr(what.find(',') + 1));
            const Rect content = front->rect;
            fX.Click(Point{content.x + x, content.y + content.height - y});
            fX.Wait(300); // what the click shows (a folder's files) is not in the report
        } else if (verb == "answer" && front->title != what.substr(0, what.find('>'))) {
            return true; // no question was asked
        } else if (verb == "press" || verb == "pick" || verb == "answer") {
            const std::string title = verb == "answer" ? what.substr(what.find('>') + 1) : what;
            const auto control = std::find_if(front->controls.begin(), front->controls.end(), [&](const Shown& c) {
                return c.enabled && (verb == "pick" ? c.kind == "popup" : c.title == title);
            });
            if (control == front->controls.end())
                return false;
            if (verb == "pick" && control->title == what)
                return true; // already chosen
            fX.Click(control->Middle());
            if (verb == "pick") {
                std::optional<Shown> row;
                const auto listed = [&] { return (row = FindShown(Report(), ShownPart::Row, what)).has_value(); };
                // A list that did not open for the click is closed and clicked again, as a
                // person does.
                if (!WaitFor(listed, 2000)) {
                    if (!UnmanagedShown().empty())
                        fX.Tap("Escape");
                    Settle();
                    fX.Click(control->Middle());
                    if (!WaitFor(listed, 2000))
                        return false;
                }
                fX.Click(row->Middle());
                // The list closes showing the row.
                if (!WaitFor([&] { return FindShown(Report(), ShownPart::Control, what).has_value(); }, 3000))
                    return false;
            } else {
                // A button of a way opens or closes a window.
                windowsChanged(3000);
            }
        } else {
            return false;
        }
        Settle();
        return Alive();
    }

    // Plays the window's way from the document window; answers the window once it shows. A
    // way that goes astray is left with its windows closed and tried once more, as a person
    // tries again.
    uint32_t OpenByWay(const ProgramWindow& entry, bool mustOpen = true)
    {
        const std::set<uint32_t> before = Numbers();
        std::string stopped;
        for (int attempt = 0; attempt < 2; ++attempt) {
            if (attempt > 0) {
                std::cout << "[crawl] the way to " << entry.name << " stopped at \"" << stopped << "\"; once more\n";
                CloseAllBut(before);
            }
            stopped.clear();
            for (const std::string& step : entry.way)
                if (!Step(step)) {
                    stopped = step;
                    break;
                }
            uint32_t shown = 0;
            if (stopped.empty() && WaitFor([&] {
                    for (const ShownWindow& w : Report())
                        if (!before.count(w.number) && w.items.empty() && w.title == entry.title)
                            return (shown = w.number) != 0;
                    return false;
                }, 5000))
                return shown;
            if (stopped.empty())
                stopped = "the end";
        }
        if (mustOpen)
            ADD_FAILURE() << "the way to " << entry.name << " stops at \"" << stopped << "\"; the program's windows: "
                          << ReportTitles();
        return 0;
    }

    // Closes the windows that are not among `kept`, front first, as a person does.
    // A window closed may bring back the one it came from (the source chooser after the
    // network address), so the closing goes on until only the kept ones are left.
    void CloseAllBut(const std::set<uint32_t>& kept)
    {
        for (int pass = 0; pass < 4; ++pass) {
            bool closed = false;
            for (const ShownWindow& w : Report()) {
                if (w.items.empty() && !kept.count(w.number)) {
                    EXPECT_TRUE(CloseWindow(w.number)) << "\"" << w.title << "\" cannot be closed";
                    closed = true;
                }
            }
            if (!closed)
                return;
            Settle();
        }
    }

    ProgramHome fHome;
    std::unique_ptr<ProgramProcess> fProgram;
    std::set<std::string> fLeave; // controls the window crawled from a way leaves alone
    bool fWentAway = false;       // the window went by itself before a press reached it
    std::set<std::string> fReached;
    Point fAt; // where the pointer was last put
    uint32_t fLastFront = 0; // the front window the last step of a way was played in
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
    // A free port typed into the data server's port field (it has the keyboard when the
    // dialog opens), so that the server the crawl switches on meets no other run's.
    {
        const std::set<uint32_t> before = Numbers();
        ChooseMenu("File", "Data Server…");
        const std::vector<uint32_t> opened = Appeared(before);
        ASSERT_EQ(opened.size(), 1u) << "File > Data Server… opens no window";
        const std::string port = std::to_string(porttest::FreePort());
        fX.Tap("a", {"Control_L"});
        fX.Type(port);
        fX.Tap("Return"); // takes the number
        EXPECT_TRUE(WaitFor([&] { return FindShown(Report(), ShownPart::Field, port).has_value(); }))
            << "the port field does not show the port typed";
        EXPECT_TRUE(CloseWindow(opened.front()));
    }
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
    ChooseEverySubmenuItem(bar);
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
    // Windows a person reaches by a way of several steps: a choice in another window, a
    // modified document closing, a recording exported.
    std::set<std::string> wayReached;
    for (const ProgramWindow& entry : ProgramWindows()) {
        if (entry.way.empty())
            continue;
        ASSERT_TRUE(Alive());
        const std::set<uint32_t> kept = Numbers();
        const uint32_t window = OpenByWay(entry);
        EXPECT_NE(window, 0u) << "the way to " << entry.name << " opens no \"" << entry.title << "\"; the program's windows: "
                              << ReportTitles();
        if (window) {
            std::cout << "[crawl] the way to " << entry.name << " opens \"" << entry.title << "\" with"
                      << ControlTitles(window) << "\n";
            wayReached.insert(entry.name);
            fLeave = std::set<std::string>(entry.leave.begin(), entry.leave.end());
            Crawl(window, [&] {
                CloseAllBut(kept);
                return OpenByWay(entry, false);
            }, 0);
            fLeave.clear();
        }
        CloseAllBut(kept);
    }
    // Every window of the program's list was reached.
    for (const ProgramWindow& entry : ProgramWindows()) {
        EXPECT_TRUE(wayReached.count(entry.name) || (!entry.title.empty() && fReached.count(entry.title)))
            << "the crawl never opened " << entry.name << " (\"" << entry.title << "\")";
    }
    std::ifstream opened(OpenerLog());
    std::string line;
    EXPECT_TRUE(std::getline(opened, line) && line.find("README") != std::string::npos)
        << "Help did not open the README with the desktop's opener";
}
