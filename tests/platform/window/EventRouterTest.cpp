#include "WindowKit.h"
#include "platform/Clock.h"
#include "platform/app/Application.h"
#include "platform/window/EventQueue.h"
#include "platform/window/WindowServer.h"
#include "platform/window/WindowTestDriver.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace plat;

namespace {

// Two overlapping document windows, each with one recording view filling its content.
class EventRouterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fBack->ContentView()->AddSubview(fBackView.Get());
        fFront->ContentView()->AddSubview(fFrontView.Get());
        fBack->MakeKeyAndOrderFront();
        fFront->MakeKeyAndOrderFront();
    }

    ScopedVirtualClock fClock{1000};
    WindowTestDriver fDriver;
    Ref<Window> fBack = MakeDocument(0, 0, 200, 100);
    Ref<Window> fFront = MakeDocument(100, 0, 200, 100);
    Ref<RecordingView> fBackView = RecordingView::Make(Rect{0, 0, 200, 100});
    Ref<RecordingView> fFrontView = RecordingView::Make(Rect{0, 0, 200, 100});
};

} // namespace

TEST_F(EventRouterTest, ClickOnABackWindowBringsItForwardAndDeliversWhenFirstMouseIsAccepted)
{
    fDriver.Click(Point{50, 50});
    EXPECT_TRUE(fBack->IsKey());
    EXPECT_EQ(fDriver.OnScreen().front(), fBack->Number());
    EXPECT_EQ(fBackView->log, (std::vector<std::string>{"down", "up"}));
}

TEST_F(EventRouterTest, RefusedFirstMouseOnlyActivates)
{
    fBackView->firstMouse = false;
    fDriver.Click(Point{50, 50});
    EXPECT_TRUE(fBack->IsKey());
    EXPECT_TRUE(fBackView->log.empty());
    fDriver.Click(Point{50, 50});
    EXPECT_EQ(fBackView->log, (std::vector<std::string>{"down", "up"}));
}

TEST_F(EventRouterTest, APanelThatTakesTheKeysOnlyWhenNeededAnswersItsFirstClick)
{
    fBackView->firstMouse = false;
    fBack->becomesKeyOnlyIfNeeded = true;
    fDriver.Click(Point{50, 50});
    EXPECT_EQ(fBackView->log, (std::vector<std::string>{"down", "up"}));
}

TEST_F(EventRouterTest, DelayedOrderingKeepsTheWindowBehindUntilAClickEnds)
{
    fBackView->delayOrdering = true;
    fBackView->firstMouse = false;  // the view that delays has taken the press all the same
    fDriver.PostMouse(EventType::LeftMouseDown, Point{50, 50});
    fDriver.DeliverAll();
    EXPECT_TRUE(fFront->IsKey()) << "held: a drag may start from the window behind";
    EXPECT_EQ(fDriver.OnScreen().front(), fFront->Number());
    fDriver.PostMouse(EventType::LeftMouseUp, Point{50, 50});
    fDriver.DeliverAll();
    EXPECT_EQ(fBackView->log, (std::vector<std::string>{"down", "up"}));
    EXPECT_TRUE(fBack->IsKey()) << "released without a drag: a click, which activates";
    EXPECT_EQ(fDriver.OnScreen().front(), fBack->Number());
}

TEST_F(EventRouterTest, DelayedOrderingStaysBehindWhenADragTookTheRelease)
{
    fBackView->delayOrdering = true;
    fDriver.PostMouse(EventType::LeftMouseDown, Point{50, 50});
    fDriver.DeliverAll();
    EventQueue::Shared().Clear();  // a drag's own loop read the release
    fDriver.PostMouse(EventType::LeftMouseDown, Point{150, 50});  // the next press, on the front window
    fDriver.PostMouse(EventType::LeftMouseUp, Point{150, 50});
    fDriver.DeliverAll();
    EXPECT_TRUE(fFront->IsKey());
    EXPECT_EQ(fDriver.OnScreen().front(), fFront->Number());
}

TEST_F(EventRouterTest, TitleBarClickActivatesWithoutAView)
{
    fDriver.Click(Point{50, 110}); // the back window's title bar, left of the front window
    EXPECT_TRUE(fBack->IsKey());
    EXPECT_TRUE(fBackView->log.empty());
}

TEST_F(EventRouterTest, DragsAndReleaseGoToTheViewThatTookThePress)
{
    fDriver.Drag(Point{150, 50}, {Point{20, 50}}, Point{10, 50}); // ends over the back window
    const std::vector<std::string>& log = fFrontView->log;
    ASSERT_GE(log.size(), 16u); // 140 px in moves of at most 10 px
    EXPECT_EQ(log.front(), "down");
    EXPECT_EQ(log.back(), "up");
    EXPECT_EQ(std::count(log.begin(), log.end(), "drag"), static_cast<long>(log.size()) - 2);
    EXPECT_DOUBLE_EQ(fFrontView->lastX, -90); // front window base coordinates of (10, 50)
    EXPECT_TRUE(fBackView->log.empty());
}

TEST_F(EventRouterTest, ControlClickOffersAContextMenuFirst)
{
    fFrontView->showsMenu = true;
    fDriver.Click(Point{150, 50}, kModControl);
    EXPECT_EQ(fFrontView->log, (std::vector<std::string>{"menu"}));
    fFrontView->showsMenu = false;
    fFrontView->log.clear();
    fDriver.PostMouse(EventType::RightMouseDown, Point{150, 50});
    fDriver.DeliverAll();
    EXPECT_EQ(fFrontView->log, (std::vector<std::string>{"menu", "rdown"}));
}

TEST_F(EventRouterTest, KeysGoToTheFirstResponderOfTheKeyWindow)
{
    fDriver.TypeKey("a", 0);
    EXPECT_TRUE(fFrontView->log.empty()); // the content view passes it on to nobody
    ASSERT_TRUE(fFront->MakeFirstResponder(fFrontView.Get()));
    EXPECT_FALSE(fFront->MakeFirstResponder(fBackView.Get())); // a view of another window
    fDriver.TypeKey("b", 11);
    EXPECT_EQ(fFrontView->log, (std::vector<std::string>{"key:b"}));
}

TEST_F(EventRouterTest, WheelGoesToTheViewUnderThePointer)
{
    fDriver.PostWheel(Point{50, 50}, 0, 3);
    fDriver.DeliverAll();
    EXPECT_EQ(fBackView->log, (std::vector<std::string>{"wheel"}));
    EXPECT_TRUE(fFront->IsKey());
}

TEST_F(EventRouterTest, DeliveredEventBecomesCurrent)
{
    fDriver.PostMouse(EventType::LeftMouseDown, Point{150, 50});
    fDriver.DeliverAll();
    Ref<Event> current = EventQueue::Shared().Current();
    ASSERT_TRUE(current);
    EXPECT_EQ(current->type, EventType::LeftMouseDown);
    EXPECT_EQ(current->windowNumber, fFront->Number());
    EXPECT_GT(current->eventNumber, 0);
}

TEST_F(EventRouterTest, AModalWindowHoldsBackPressesAndWheelsOnOtherWindows)
{
    Application& app = Application::Shared();
    fBack->OrderFront();
    ModalSession* session = app.BeginModalSession(fFront.Get());
    fDriver.PostMouse(EventType::LeftMouseDown, Point{50, 50});
    fDriver.PostWheel(Point{50, 50}, 0, 3);
    EXPECT_EQ(app.RunModalSession(session), Application::kRunContinues);
    EXPECT_TRUE(fBackView->log.empty());
    EXPECT_EQ(fDriver.OnScreen().front(), fFront->Number()) << "the modal window comes forward";

    fDriver.PostMouse(EventType::LeftMouseDown, Point{150, 50});
    fDriver.PostMouse(EventType::LeftMouseUp, Point{150, 50});
    app.RunModalSession(session);
    EXPECT_EQ(fFrontView->log, (std::vector<std::string>{"down", "up"}));
    app.EndModalSession(session);

    fDriver.Click(Point{50, 50});
    EXPECT_EQ(fBackView->log, (std::vector<std::string>{"down", "up"})) << "after the session, as before";
}
