// Submenus of the menu bar under a person's mouse and keys, on the virtual clock: they open
// beside their item after a rest, at once on a click or a drag, take the arrows, Return and
// Escape, stay inside the screen, and the run loop's timers keep firing meanwhile.
#include "platform/menus/MainMenu.h"
#include "platform/menus/Menu.h"
#include "platform/menus/MenuActions.h"
#include "platform/menus/MenuBar.h"
#include "platform/menus/MenuItem.h"
#include "platform/menus/MenuListView.h"
#include "platform/menus/MenuTracking.h"
#include "platform/runloop/RunLoopTimer.h"
#include "platform/window/Screens.h"
#include "platform/window/Window.h"
#include "platform/window/WindowStyle.h"
#include "tests/platform/menus/MenuPerson.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace plat {
namespace {

constexpr const char* kUp = "\uF700";
constexpr const char* kDown = "\uF701";
constexpr const char* kLeft = "\uF702";
constexpr const char* kRight = "\uF703";
// Rows of the View menu.
constexpr int kZoom = 0, kRefresh = 1, kTrailDepth = 3;
// Row of the Analysis menu.
constexpr int kChannels = 1;
constexpr int kDepthItems = 60; // taller than the screen

// Writes down each action with the title of the item that sent it.
class Recorder final : public ActionResponder {
public:
    bool RespondsTo(std::string_view action) const override { return !action.empty(); }
    void Perform(std::string_view action, MenuItem* sender) override
    {
        performed.push_back(std::string(action) + (sender ? sender->Title() : ""));
    }
    std::vector<std::string> performed;
};

std::shared_ptr<MenuItem> Opening(const std::string& title, const std::vector<std::string>& items, const char* action)
{
    std::shared_ptr<Menu> menu = Menu::Make(title);
    for (const std::string& item : items)
        menu->Add(MenuItem::Make(item, action));
    std::shared_ptr<MenuItem> owner = MenuItem::Make(title);
    owner->SetSubmenu(menu);
    return owner;
}

class SubmenuTest : public testing::Test {
protected:
    void SetUp() override
    {
        std::vector<std::string> depths;
        for (int i = 1; i <= kDepthItems; ++i)
            depths.push_back(std::to_string(i * 10));
        std::shared_ptr<MenuItem> off = MenuItem::Make("Off", "off:");
        off->SetEnabled(false);
        std::shared_ptr<Menu> main = Menu::Make("Main");
        main->Add(Opening("View", {}, ""));
        main->Add(Opening("Analysis", {"Spectrum"}, "spectrum:"));
        Menu& view = *main->ItemAt(0)->Submenu();
        view.Add(Opening("Zoom", {"1x", "2x", "4x"}, "zoom:"));
        view.Add(MenuItem::Make("Refresh", "refresh:"));
        view.Add(MenuItem::MakeSeparator());
        view.Add(Opening("Trail Depth", depths, "depth:"));
        view.Add(off);
        main->ItemAt(1)->Submenu()->Add(Opening("Channels", {"1", "2", "3", "4"}, "chans:"));
        for (size_t i = 0; i < 2; ++i)
            main->ItemAt(i)->Submenu()->SetAutoenablesItems(false);
        SetMainMenu(main);
        SetNilTargetResolver([](void* context, std::string_view) { return static_cast<ActionResponder*>(context); },
                             &fRecorder);
    }
    void TearDown() override
    {
        MenuTracking::Shared().Close();
        SetNilTargetResolver(nullptr, nullptr);
        SetMainMenu(nullptr);
        Screens::Reset();
    }
    void ShowDocument(const Rect& content)
    {
        fDoc = Window::Make(content, kStyleTitled | kStyleClosable);
        fDoc->SetShowsMenuBar(true);
        fDoc->MakeKeyAndOrderFront();
    }
    Point Title(int index) const
    {
        const MenuBar::Title title = MenuBar::Titles().at(size_t(index));
        const Rect content = fDoc->ContentRect();
        return Point{content.x + title.x + 5, content.y + content.height + 11};
    }
    // The middle height of a row of an open level, 30 px in from its left edge.
    static Point Row(int level, int row)
    {
        const Rect frame = MenuTracking::Shared().LevelWindow(level)->Frame();
        const double top = MenuTracking::Shared().LevelList(level)->RowTopInView(row);
        return Point{frame.x + 30, frame.y + frame.height - top - 10};
    }
    static int Depth() { return MenuTracking::Shared().Depth(); }
    static int Lit(int level) { return MenuTracking::Shared().LevelList(level)->Highlighted(); }
    static Rect Frame(int level) { return MenuTracking::Shared().LevelWindow(level)->Frame(); }

    ScopedVirtualClock fClock{1000};
    WindowTestDriver fDriver;
    Recorder fRecorder;
    Ref<Window> fDoc;
};

TEST_F(SubmenuTest, RestingOnAnItemOpensItsSubmenuBesideItAndItsItemsSendTheirActions)
{
    ShowDocument(Rect{100, 400, 400, 200});
    MenuPerson person(fDriver, fClock.clock(), Point{300, 450});
    // Only a loop waiting in the event-tracking mode fires this one.
    int ticks = 0;
    RunLoopTimer tick(RunLoop::Current(), [&] { ++ticks; }, kModeEventTracking);
    person.Click(Title(0));
    ASSERT_EQ(Depth(), 1);
    EXPECT_EQ(MenuTracking::Shared().WaitMode(kModeDefault), uint32_t(kModeEventTracking));

    int fired = 0;
    person.MoveTo(Row(0, kZoom));
    for (int i = 0; i < 25; ++i, person.Wait(10))
        fired += ticks, ticks = 0, tick.FireAfter(1);
    EXPECT_EQ(Depth(), 1) << "opens only after the rest";
    person.Wait(120);
    ASSERT_EQ(Depth(), 2);
    EXPECT_GE(fired, 24);
    EXPECT_EQ(Lit(0), kZoom);
    EXPECT_EQ(Lit(1), -1);
    // Beside the item, its first row level with it.
    EXPECT_EQ(Frame(1).x, Frame(0).x + Frame(0).width);
    EXPECT_EQ(Frame(1).y + Frame(1).height,
              Frame(0).y + Frame(0).height - MenuTracking::Shared().List()->RowTopInView(kZoom) + 1);
    EXPECT_EQ(MenuTracking::Shared().LevelWindow(1)->Level(), kLevelPopUpMenu);

    // On the way to its second row the pointer crosses Refresh: the submenu stays.
    person.MoveTo(Row(1, 1));
    EXPECT_EQ(Depth(), 2);
    EXPECT_EQ(Lit(0), kZoom);
    EXPECT_EQ(Lit(1), 1);
    person.Wait(500);
    EXPECT_EQ(Depth(), 2);
    person.Click(Row(1, 1));
    EXPECT_EQ(fRecorder.performed, (std::vector<std::string>{"zoom:2x"}));
    EXPECT_FALSE(MenuTracking::Shared().IsOpen());
    EXPECT_EQ(MenuTracking::Shared().WaitMode(kModeDefault), uint32_t(kModeDefault));
}

// However the moves came (a hand's steps of 10 px every 16 ms to and fro along the item, a
// creep of a pixel every 100 ms, one batch of moves), the submenu opens the delay after the
// last one, not before.
TEST_F(SubmenuTest, ASubmenuOpensTheDelayAfterTheLastMoveNotBefore)
{
    ShowDocument(Rect{100, 400, 400, 200});
    struct Way {
        double stepPx;
        uint64_t everyMs;
        int moves;
    };
    for (const Way way : {Way{10, 16, 40}, Way{1, 100, 6}, Way{0, 0, 1}}) {
        MenuPerson person(fDriver, fClock.clock(), Point{300, 450});
        person.Click(Title(1));
        person.JumpTo(Row(0, kChannels));
        for (int i = 0; i < way.moves; ++i) {
            person.Wait(way.everyMs);
            person.JumpTo(Point{person.At().x + (i % 4 < 2 ? way.stepPx : -way.stepPx), person.At().y});
            EXPECT_EQ(Depth(), 1) << way.stepPx << " px, move " << i;
        }
        person.Wait(MenuTracking::kSubmenuDelayMs - 1);
        EXPECT_EQ(Depth(), 1) << way.stepPx << " px";
        person.Wait(1);
        EXPECT_EQ(Depth(), 2) << way.stepPx << " px";
        person.Click(Point{700, 100});
    }
}

TEST_F(SubmenuTest, RestingOnAnotherItemClosesTheSubmenuAndOpensTheNextOne)
{
    ShowDocument(Rect{100, 400, 400, 200});
    MenuPerson person(fDriver, fClock.clock(), Point{300, 450});
    person.Click(Title(0));
    person.Hover(Row(0, kZoom));
    ASSERT_EQ(Depth(), 2);
    person.MoveTo(Row(0, kRefresh));
    person.Wait(200);
    EXPECT_EQ(Depth(), 2) << "a short pass over another item keeps it";
    person.Wait(250);
    EXPECT_EQ(Depth(), 1);
    EXPECT_EQ(Lit(0), kRefresh);
    person.Hover(Row(0, kTrailDepth));
    ASSERT_EQ(Depth(), 2);
    EXPECT_EQ(MenuTracking::Shared().LevelList(1)->ItemMenu()->Title(), "Trail Depth");
    // Off the menus nothing is lit in the submenu; the way to it stays.
    person.MoveTo(Point{700, 100});
    person.Wait(500);
    EXPECT_EQ(Depth(), 2);
    EXPECT_EQ(Lit(0), kTrailDepth);
    EXPECT_EQ(Lit(1), -1);
    person.Click(Point{700, 100}); // a click elsewhere closes every level
    EXPECT_FALSE(MenuTracking::Shared().IsOpen());
    EXPECT_TRUE(fRecorder.performed.empty());
}

TEST_F(SubmenuTest, AClickOnTheItemOpensItsSubmenuAtOnce)
{
    ShowDocument(Rect{100, 400, 400, 200});
    for (const uint64_t hold : {5, 120, 250}) {
        MenuPerson person(fDriver, fClock.clock(), Point{300, 450});
        person.Click(Title(1), hold);
        person.Click(Row(0, kChannels), hold); // well before the rest would open it
        ASSERT_EQ(Depth(), 2) << hold;
        person.Click(Row(0, kChannels), hold); // a second click leaves it open
        ASSERT_EQ(Depth(), 2) << hold;
        person.Click(Row(1, 3), hold);
        EXPECT_FALSE(MenuTracking::Shared().IsOpen()) << hold;
    }
    EXPECT_EQ(fRecorder.performed, (std::vector<std::string>{"chans:4", "chans:4", "chans:4"}));
}

TEST_F(SubmenuTest, PressDragAndReleaseChoosesInASubmenu)
{
    ShowDocument(Rect{100, 400, 400, 200});
    MenuPerson person(fDriver, fClock.clock(), Title(0));
    int ticks = 0;
    RunLoopTimer tick(RunLoop::Current(), [&] { ++ticks; }, kModeCommon);
    person.Press();
    person.Wait(50);
    ASSERT_EQ(Depth(), 1);
    person.MoveTo(Title(1)); // along the bar to Analysis, down to Channels: it opens on arrival
    person.MoveTo(Row(0, kChannels));
    EXPECT_EQ(Depth(), 2);
    tick.FireAfter(10);
    person.MoveTo(Point{Row(1, 0).x, Row(0, kChannels).y});
    person.MoveTo(Row(1, 2));
    person.Wait(50);
    EXPECT_EQ(ticks, 1) << "a timer fires while the button is held in a menu";
    EXPECT_EQ(Lit(1), 2);
    person.Release();
    EXPECT_EQ(fRecorder.performed, (std::vector<std::string>{"chans:3"}));
    EXPECT_FALSE(MenuTracking::Shared().IsOpen());

    // Released on the submenu's item, the submenu stays for the next click.
    person.MoveTo(Title(0));
    person.Press();
    person.Wait(50);
    person.MoveTo(Row(0, kZoom));
    person.Wait(50);
    person.Release();
    person.Wait(500);
    ASSERT_EQ(Depth(), 2);
    person.Click(Row(1, 0));
    EXPECT_EQ(fRecorder.performed.back(), "zoom:1x");
}

TEST_F(SubmenuTest, ArrowsReturnAndEscapeWorkThroughSubmenus)
{
    ShowDocument(Rect{100, 400, 400, 200});
    MenuPerson person(fDriver, fClock.clock(), Point{300, 450});
    person.Click(Title(0));
    person.MoveTo(Point{300, 300}); // out of the way of the menus
    person.Key(kDown);
    EXPECT_EQ(Lit(0), kZoom) << "the submenu's item is not skipped";
    person.Key(kRight);
    ASSERT_EQ(Depth(), 2);
    EXPECT_EQ(Lit(1), 0);
    person.Key(kDown);
    EXPECT_EQ(Lit(1), 1);
    person.Key(kLeft);
    EXPECT_EQ(Depth(), 1);
    EXPECT_EQ(Lit(0), kZoom);
    person.Key(kDown);
    person.Key(kDown); // past the separator
    EXPECT_EQ(Lit(0), kTrailDepth);
    person.Key(kUp);
    EXPECT_EQ(Lit(0), kRefresh);
    person.Key(kRight); // on an ordinary item: the next menu
    EXPECT_EQ(MenuTracking::Shared().OpenTitle(*fDoc), 1);
    person.Key(kDown);
    person.Key(kDown);
    EXPECT_EQ(Lit(0), kChannels);
    person.Key("\r"); // Return on Channels opens it
    ASSERT_EQ(Depth(), 2);
    EXPECT_EQ(Lit(1), 0);
    person.Key("\x1b"); // Escape closes one level
    EXPECT_EQ(Depth(), 1);
    person.Key(kRight);
    person.Key(kDown);
    person.Key(kDown);
    person.Key(kDown);
    person.Key(kDown); // wraps to the first
    person.Key(kUp);
    EXPECT_EQ(Lit(1), 3);
    person.Key("\r");
    EXPECT_EQ(fRecorder.performed, (std::vector<std::string>{"chans:4"}));
    EXPECT_FALSE(MenuTracking::Shared().IsOpen());

    person.Click(Title(0));
    person.MoveTo(Point{300, 300});
    person.Key(kDown);
    person.Key(kRight);
    person.Key("\x1b");
    person.Key("\x1b");
    EXPECT_FALSE(MenuTracking::Shared().IsOpen());
    EXPECT_EQ(fRecorder.performed.size(), 1u);
}

TEST_F(SubmenuTest, SubmenusStayInsideTheScreenFlippedShiftedOrScrolled)
{
    const Rect screen = Screens::Main().frame;
    ShowDocument(Rect{screen.width - 260, 300, 260, 200});
    MenuPerson person(fDriver, fClock.clock(), Point{300, 450});
    auto inside = [&](int level) {
        const Rect frame = Frame(level);
        return frame.x >= screen.x && frame.y >= screen.y && frame.x + frame.width <= screen.x + screen.width
            && frame.y + frame.height <= screen.y + screen.height;
    };
    person.Click(Title(0));
    person.Hover(Row(0, kZoom));
    ASSERT_EQ(Depth(), 2);
    EXPECT_EQ(Frame(1).x + Frame(1).width, Frame(0).x) << "no room on the right: it opens on the left";
    EXPECT_TRUE(inside(1));

    // Taller than the screen: as tall as the screen, and the rows scroll.
    person.Hover(Row(0, kTrailDepth));
    ASSERT_EQ(Depth(), 2);
    EXPECT_TRUE(inside(1));
    EXPECT_EQ(Frame(1).height, screen.height);
    MenuListView& list = *MenuTracking::Shared().LevelList(1);
    EXPECT_EQ(list.Scroll(), 0);
    person.MoveTo(Point{Frame(0).x - 30, Row(0, kTrailDepth).y});
    person.MoveTo(Point{Frame(0).x - 30, Frame(1).y + 4}); // rests on the bottom arrow
    const double before = list.Scroll();
    person.Wait(10 * MenuTracking::kEdgeScrollMs);
    EXPECT_GE(list.Scroll(), before + 8 * MenuTracking::kEdgeScrollStep);
    person.Wheel(2); // away from the person: back towards the first rows
    EXPECT_DOUBLE_EQ(list.Scroll(), before + 10 * MenuTracking::kEdgeScrollStep - 40) << before;
    // A click chooses the row shown under the pointer.
    const int row = list.RowAt(Frame(1).y + Frame(1).height - 400);
    person.Click(Point{Frame(1).x + 30, Frame(1).y + 400});
    EXPECT_EQ(fRecorder.performed, (std::vector<std::string>{"depth:" + std::to_string((row + 1) * 10)}));

    // The keys scroll to the row they reach: Up from none is the last enabled one.
    person.Click(Title(0));
    person.MoveTo(Point{300, 300});
    person.Key(kUp);
    EXPECT_EQ(Lit(0), kTrailDepth);
    person.Key(kRight);
    ASSERT_EQ(Depth(), 2);
    person.Key(kUp);
    EXPECT_EQ(Lit(1), kDepthItems - 1);
    MenuListView& again = *MenuTracking::Shared().LevelList(1);
    EXPECT_GT(again.Scroll(), 0);
    EXPECT_LE(again.RowTopInView(kDepthItems - 1) + 20, Frame(1).height);
    person.Key("\r");
    EXPECT_EQ(fRecorder.performed.back(), "depth:" + std::to_string(kDepthItems * 10));
}

TEST_F(SubmenuTest, ABarMenuWithoutRoomBelowItsBarOpensAboveIt)
{
    ShowDocument(Rect{100, 0, 400, 40});
    MenuPerson person(fDriver, fClock.clock(), Point{300, 450});
    person.Click(Title(0));
    ASSERT_EQ(Depth(), 1);
    EXPECT_EQ(Frame(0).y, 40 + Window::kMenuBarHeight);
    EXPECT_EQ(Frame(0).height, MenuListView::NaturalSize(*MenuTracking::Shared().List()->ItemMenu()).height);
    person.Hover(Row(0, kZoom));
    ASSERT_EQ(Depth(), 2);
    person.Click(Row(1, 2));
    EXPECT_EQ(fRecorder.performed, (std::vector<std::string>{"zoom:4x"}));
}

} // namespace
} // namespace plat
