// Controls under a person's hand on the X server: the hand plays its gestures in real time on
// a thread of its own (its own connection, as a person is apart from the program) while the
// test serves the program's loop; a control that tracks the pointer waits for the release.
#include "tests/display/DesktopFixture.h"
#include "platform/controls/Button.h"
#include "platform/controls/ControlView.h"
#include "platform/controls/PopUpButton.h"
#include "platform/controls/Scroller.h"
#include "platform/controls/Slider.h"
#include "platform/runloop/RunLoop.h"
#include "platform/runloop/RunLoopTimer.h"
#include "platform/window/Screens.h"
#include "platform/window/WindowServer.h"
#include "platform/window/WindowStyle.h"

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

using namespace plat;

namespace {

// A person's hand: one gesture sequence played on its own thread through its own connection.
class Hand {
public:
    explicit Hand(std::function<void(XServerDriver&)> gestures)
        : fThread([this, gestures = std::move(gestures)] {
              XServerDriver x;
              gestures(x);
              fDone = true;
          })
    {
    }
    ~Hand() { fThread.join(); }
    bool Done() const { return fDone; }

private:
    std::atomic<bool> fDone{false};
    std::thread fThread;
};

// Waits on the hand's thread until the condition holds or 5 s pass.
bool HandWaits(const std::function<bool()>& done)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!done() && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return done();
}

// The open list's window, null when none shows.
Window* OpenList()
{
    for (uint32_t number : WindowServer::Shared().WindowNumbers())
        if (Window* window = WindowServer::Shared().WithNumber(number); window && window->Level() == kLevelPopUpMenu)
            return window;
    return nullptr;
}

Point ScreenOf(const View& view, Point local)
{
    return view.GetWindow()->ConvertBaseToScreen(view.ConvertToWindow(local));
}

class ControlsDesktop : public DesktopTest {
protected:
    template <class T>
    T& Add(std::unique_ptr<T> control, const Rect& frame)
    {
        T& model = *control;
        fViews.push_back(ControlView::Make(frame, std::move(control)));
        fDoc->ContentView()->AddSubview(fViews.back().Get());
        return model;
    }
    void Show(const Rect& content) { fDoc = ShowDocument(content, "Controls"); }

    Ref<Window> fDoc;
    std::vector<Ref<ControlView>> fViews;
};

} // namespace

TEST_F(ControlsDesktop, NormalClicksPressButtonsAndCheckBoxesWhileTimersRun)
{
    Show(Rect{200, 300, 400, 200});
    Button& button = Add(std::make_unique<Button>(), Rect{20, 140, 100, 24});
    Button& check = Add(std::make_unique<Button>(Button::Kind::Switch), Rect{20, 100, 140, 20});
    int pushed = 0;
    button.SetAction([&] { ++pushed; });
    ASSERT_TRUE(ScreenShows({fDoc.Get()}));
    const Point buttonAt = ScreenOf(*fViews[0], {50, 12});
    const Point checkAt = ScreenOf(*fViews[1], {7, 10});
    int ticks = 0;
    RunLoopTimer tick(RunLoop::Current(), [&] { ++ticks; tick.FireAfter(10); });
    tick.FireAfter(10);
    int ticksWhileHeld = 0;
    RunLoopTimer look(RunLoop::Current(), [&] {
        ticksWhileHeld += button.IsTracking() && button.IsHighlighted();
        look.FireAfter(10);
    });
    look.FireAfter(10);
    Hand hand([&](XServerDriver& x) {
        x.MoveTo(buttonAt);
        x.Press();
        x.Wait(250);
        x.Release();
        x.Wait(200);
        x.Click(checkAt);
        x.Wait(200);
        x.Click(buttonAt);
    });
    ASSERT_TRUE(RunUntil([&] { return hand.Done() && pushed == 2 && check.State() == 1; }))
        << pushed << " pushes, check " << check.State();
    EXPECT_GE(ticksWhileHeld, 10) << "the timer went on while the button was held";
    EXPECT_GE(ticks, 30);
}

TEST_F(ControlsDesktop, TheSliderKnobFollowsADragToTheMiddle)
{
    Show(Rect{200, 300, 400, 200});
    auto made = std::make_unique<Slider>();
    made->SetMaxValue(100);
    Slider& slider = Add(std::move(made), Rect{20, 80, 216, 20});
    std::vector<int> seen;
    slider.SetAction([&] { seen.push_back(slider.IntValue()); });
    ASSERT_TRUE(ScreenShows({fDoc.Get()}));
    const Point from = ScreenOf(*fViews[0], {8, 10});
    const Point middle = ScreenOf(*fViews[0], {108, 10});
    Hand hand([&](XServerDriver& x) { x.Drag(from, {}, middle); });
    ASSERT_TRUE(RunUntil([&] { return hand.Done() && !slider.IsTracking() && !seen.empty() && seen.back() == 50; }))
        << (seen.empty() ? -1 : seen.back());
    EXPECT_GE(seen.size(), 8u) << "the knob followed the moves";
}

TEST_F(ControlsDesktop, AScrollBarArrowHeldScrollsOnUntilTheRelease)
{
    Show(Rect{200, 300, 400, 200});
    Scroller& bar = Add(std::make_unique<Scroller>(), Rect{20, 10, 16, 180});
    bar.SetValueAndProportion(0, 0.25);
    std::atomic<int> actions{0};
    bar.SetAction([&] {
        ++actions;
        bar.SetValue(bar.Value() + 0.01); // as the bar's owner scrolls a line
    });
    ASSERT_TRUE(ScreenShows({fDoc.Get()}));
    const Point arrowAt = ScreenOf(*fViews[0], {8, 172}); // the arrow at the end of the bar
    std::atomic<int> afterClick{-1}, whileHeld{-1};
    Hand hand([&](XServerDriver& x) {
        x.Click(arrowAt);
        x.Wait(600);
        afterClick = actions.load();
        x.MoveTo(arrowAt);
        x.Press();
        x.Wait(1000);
        x.Release();
        whileHeld = actions.load();
        x.Wait(500);
    });
    ASSERT_TRUE(RunUntil([&] { return hand.Done(); }));
    EXPECT_EQ(afterClick, 1) << "a normal click scrolls one line";
    // One at the press, then from 400 ms on every 50 ms: about 13 in a second.
    EXPECT_GE(whileHeld - afterClick, 8);
    EXPECT_LE(whileHeld - afterClick, 16);
    EXPECT_LE(actions - whileHeld, 1) << "the release stopped the repeat";
    EXPECT_FALSE(bar.IsTracking());
}

TEST_F(ControlsDesktop, APopUpListAtTheScreensBottomEdgeShowsAllItsItemsAndTakesClicksAndKeys)
{
    // The window's content stands on the bottom of the screen's visible part, the pop-up at its
    // bottom: eight rows below the first item would run off the screen.
    const Rect visible = Screens::Main().visibleFrame;
    Show(Rect{300, visible.y + 40, 300, 120});
    auto made = std::make_unique<PopUpButton>();
    for (const char* title : {"off", "DMX", "MIDI", "OSC", "Sound", "six", "seven", "eight"})
        made->InsertItem(title, made->ItemCount());
    made->SelectItem(0);
    PopUpButton& popup = Add(std::move(made), Rect{20, 10, 120, 22});
    ASSERT_TRUE(ScreenShows({fDoc.Get()}));
    const Point buttonAt = ScreenOf(*fViews[0], {40, 11});

    // While the list is open, the program's timer notes where it is and where its rows are.
    std::mutex lock;
    Rect listFrame;
    int difference = -1;
    Point rowOsc;
    std::atomic<bool> seen{false};
    RunLoopTimer look(RunLoop::Current(), [&] {
        if (Window* list = OpenList(); list && popup.IsMenuOpen()) {
            std::lock_guard guard(lock);
            listFrame = list->Frame();
            difference = ScreenDifference(*list);
            rowOsc = ScreenOf(*fViews[0], {40, popup.RowTop(3) + popup.RowHeight() / 2});
            seen = difference == 0;
        }
        look.FireAfter(50);
    });
    look.FireAfter(50);

    Hand byMouse([&](XServerDriver& x) {
        x.Click(buttonAt); // a quick click leaves the list open
        if (!HandWaits([&] { return seen.load(); }))
            return;
        std::lock_guard guard(lock);
        x.Click(rowOsc);
    });
    ASSERT_TRUE(RunUntil([&] { return byMouse.Done() && popup.SelectedIndex() == 3 && !popup.IsMenuOpen(); }))
        << "selected " << popup.SelectedIndex() << ", list difference " << difference;
    {
        std::lock_guard guard(lock);
        EXPECT_EQ(listFrame.height, 8 * 22);
        EXPECT_GE(listFrame.y, visible.y);
        EXPECT_LE(listFrame.y + listFrame.height, visible.y + visible.height);
        EXPECT_EQ(difference, 0) << "the screen shows the whole list as drawn";
    }
    EXPECT_EQ(OpenList(), nullptr);

    seen = false;
    const Point reopenAt = ScreenOf(*fViews[0], {40, 11});
    Hand byKeys([&](XServerDriver& x) {
        x.Click(reopenAt);
        if (!HandWaits([&] { return seen.load(); }))
            return;
        x.Tap("s"); // the first title starting so: "Sound"
        x.Tap("Return");
    });
    ASSERT_TRUE(RunUntil([&] { return byKeys.Done() && popup.SelectedIndex() == 4 && !popup.IsMenuOpen(); }))
        << "selected " << popup.SelectedIndex();
}
