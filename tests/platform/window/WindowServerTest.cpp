#include "WindowKit.h"
#include "platform/app/Application.h"
#include "platform/window/UserWindowActions.h"
#include "platform/window/WindowServer.h"
#include "platform/window/WindowTestDriver.h"

#include <gtest/gtest.h>

using namespace plat;

namespace {

class WindowServerTest : public ::testing::Test {
protected:
    WindowTestDriver fDriver;
};

} // namespace

TEST_F(WindowServerTest, HigherLevelsStayInFrontAndOrderingIsWithinALevel)
{
    auto a = MakeDocument(0, 0);
    auto b = MakeDocument(10, 10);
    auto dialog = Window::Make(Rect{20, 20, 50, 50}, kStyleTitled);
    dialog->SetLevel(kLevelModalPanel);
    dialog->OrderFront();
    a->OrderFront();
    b->OrderFront();
    EXPECT_EQ(fDriver.OnScreen(), (std::vector<uint32_t>{dialog->Number(), b->Number(), a->Number()}));
    a->OrderFront();
    EXPECT_EQ(fDriver.OnScreen(), (std::vector<uint32_t>{dialog->Number(), a->Number(), b->Number()}));
    dialog->OrderBack();
    EXPECT_EQ(fDriver.OnScreen().front(), dialog->Number());
    b->OrderRelative(OrderPlace::Below, dialog->Number()); // other level: front of its own level
    EXPECT_EQ(fDriver.OnScreen(), (std::vector<uint32_t>{dialog->Number(), b->Number(), a->Number()}));
    a->OrderRelative(OrderPlace::Below, b->Number());
    b->OrderRelative(OrderPlace::Below, a->Number());
    EXPECT_EQ(fDriver.OnScreen(), (std::vector<uint32_t>{dialog->Number(), a->Number(), b->Number()}));
}

TEST_F(WindowServerTest, KeyAndMainFollowTheRulesAndTellTheDelegates)
{
    RecordingDelegate da, db;
    auto a = MakeDocument(0, 0);
    auto b = MakeDocument(10, 10);
    a->SetDelegate(&da);
    b->SetDelegate(&db);
    a->MakeKey(); // not on screen: refused
    EXPECT_EQ(fDriver.KeyWindow(), nullptr);
    a->MakeKeyAndOrderFront();
    b->MakeKeyAndOrderFront();
    EXPECT_TRUE(b->IsKey() && b->IsMain());
    EXPECT_EQ(da.log, (std::vector<std::string>{"key", "main", "unkey", "unmain"}));
    b->OrderOut(); // the front-most remaining window takes over
    EXPECT_TRUE(a->IsKey() && a->IsMain());
    EXPECT_FALSE(b->IsVisible());
}

TEST_F(WindowServerTest, PanelsNeverBecomeMainAndBorderlessWindowsNeverKey)
{
    auto doc = MakeDocument(0, 0);
    doc->MakeKeyAndOrderFront();
    auto panel = Window::Make(Rect{0, 0, 50, 50}, kStyleTitled | kStyleUtility, WindowClass::Panel);
    panel->MakeKeyAndOrderFront();
    EXPECT_TRUE(panel->IsKey());
    EXPECT_TRUE(doc->IsMain());
    auto bare = Window::Make(Rect{0, 0, 50, 50}, kStyleBorderless);
    bare->MakeKeyAndOrderFront();
    EXPECT_TRUE(bare->IsVisible());
    EXPECT_TRUE(panel->IsKey());
    panel->OrderOut(); // key goes back to the main window
    EXPECT_TRUE(doc->IsKey());
}

TEST_F(WindowServerTest, HiddenApplicationShowsNothingAndDeactivationHidesPanels)
{
    auto doc = MakeDocument(0, 0);
    auto panel = Window::Make(Rect{0, 0, 50, 50}, kStyleTitled | kStyleUtility, WindowClass::Panel);
    auto sticky = Window::Make(Rect{0, 0, 50, 50}, kStyleTitled | kStyleUtility, WindowClass::Panel);
    sticky->hidesOnDeactivate = false;
    doc->OrderFront();
    panel->OrderFront();
    sticky->OrderFront();
    WindowServer::Shared().SetActive(false);
    EXPECT_FALSE(panel->IsVisible());
    EXPECT_TRUE(sticky->IsVisible());
    WindowServer::Shared().SetActive(true);
    EXPECT_TRUE(panel->IsVisible());
    WindowServer::Shared().SetHidden(true);
    EXPECT_TRUE(fDriver.OnScreen().empty());
    EXPECT_FALSE(doc->IsVisible());
}

TEST_F(WindowServerTest, WindowAtPointSkipsWindowsThatIgnoreTheMouse)
{
    auto back = MakeDocument(0, 0);
    auto front = MakeDocument(0, 0);
    back->OrderFront();
    front->OrderFront();
    EXPECT_EQ(WindowServer::Shared().WindowAtPoint(Point{5, 5}), front.Get());
    EXPECT_EQ(WindowServer::Shared().WindowAtPoint(Point{5, 115}), front.Get()); // the title bar counts here
    front->ignoresMouseEvents = true;
    EXPECT_EQ(WindowServer::Shared().WindowAtPoint(Point{5, 5}), back.Get());
    EXPECT_EQ(WindowServer::Shared().WindowAtPoint(Point{500, 5}), nullptr);
}

TEST_F(WindowServerTest, FrameAndContentDifferByTheTitleBar)
{
    auto doc = MakeDocument(40, 780, 120, 80);
    EXPECT_DOUBLE_EQ(doc->Frame().height, 102);
    EXPECT_DOUBLE_EQ(doc->ContentRect().y, 780);
    EXPECT_DOUBLE_EQ(doc->ContentView()->Frame().height, 80);
    auto utility = Window::Make(Rect{0, 0, 10, 10}, kStyleTitled | kStyleUtility, WindowClass::Panel);
    EXPECT_DOUBLE_EQ(utility->Frame().height, 26);
    RecordingDelegate d;
    doc->SetDelegate(&d);
    doc->SetFrame(Rect{40, 700, 120, 102}, true);
    doc->SetFrame(Rect{40, 700, 300, 102}, true);
    EXPECT_EQ(d.log, (std::vector<std::string>{"move", "resize"}));
    EXPECT_DOUBLE_EQ(doc->ContentView()->Frame().width, 300);
}

TEST_F(WindowServerTest, ObserversHearKeyChangesAndCloses)
{
    std::vector<WindowNotice> heard;
    const int token = WindowServer::Shared().AddObserver([&](WindowNotice n, Window&) { heard.push_back(n); });
    auto doc = MakeDocument(0, 0);
    RecordingDelegate d;
    d.allowClose = false;
    doc->SetDelegate(&d);
    doc->MakeKeyAndOrderFront();
    fDriver.CloseByUser(*doc);
    EXPECT_TRUE(doc->IsVisible());
    d.allowClose = true;
    fDriver.CloseByUser(*doc);
    WindowServer::Shared().RemoveObserver(token);
    EXPECT_EQ(heard, (std::vector<WindowNotice>{WindowNotice::BecameKey, WindowNotice::BecameMain,
                                                WindowNotice::WillClose, WindowNotice::ResignedKey,
                                                WindowNotice::ResignedMain}));
    EXPECT_FALSE(doc->IsVisible());
}

TEST_F(WindowServerTest, ADestroyedWindowLeavesTheScreenAndFocus)
{
    uint32_t number = 0;
    auto other = MakeDocument(50, 50);
    other->MakeKeyAndOrderFront();
    {
        auto doc = MakeDocument(0, 0);
        doc->MakeKeyAndOrderFront();
        number = doc->Number();
    }
    EXPECT_EQ(WindowServer::Shared().WithNumber(number), nullptr);
    EXPECT_EQ(fDriver.OnScreen(), std::vector<uint32_t>{other->Number()});
    EXPECT_EQ(fDriver.KeyWindow(), other.Get()); // the one left takes the focus
    other.Reset();
    EXPECT_EQ(fDriver.KeyWindow(), nullptr);
}

TEST_F(WindowServerTest, AWindowManagerMoveIsTheUsersMoveAndAnUnchangedOriginIsNone)
{
    auto doc = MakeDocument(0, 0);
    RecordingDelegate d;
    doc->SetDelegate(&d);
    const Rect before = doc->Frame();
    UserWindowActions::Move(*doc, Point{before.x, before.y});
    EXPECT_TRUE(d.log.empty());
    UserWindowActions::Move(*doc, Point{300, 400});
    EXPECT_EQ(d.log, (std::vector<std::string>{"move"}));
    EXPECT_EQ(doc->Frame().x, 300);
    EXPECT_EQ(doc->Frame().y, 400);
    EXPECT_EQ(doc->Frame().width, before.width);
    doc->SetDelegate(nullptr);
}

TEST_F(WindowServerTest, AClosedQuestionGivesTheKeyBackToTheQuestionBelowItNotTheDocument)
{
    auto doc = MakeDocument(0, 0);
    doc->MakeKeyAndOrderFront();
    auto dialog = Window::Make(Rect{20, 20, 50, 50}, kStyleTitled);
    auto alert = Window::Make(Rect{30, 30, 40, 40}, kStyleTitled);
    for (Window* question : {dialog.Get(), alert.Get()}) {
        question->SetLevel(kLevelModalPanel);
        question->MakeKeyAndOrderFront();
    }
    Application& app = Application::Shared();
    ModalSession* outer = app.BeginModalSession(dialog.Get());
    ModalSession* inner = app.BeginModalSession(alert.Get());
    EXPECT_EQ(app.ModalWindowOnScreen(), alert.Get());
    alert->OrderOut();  // answered: its session has not ended yet
    EXPECT_TRUE(dialog->IsKey()) << "the open dialog, not the document, takes the keyboard";
    EXPECT_EQ(app.ModalWindowOnScreen(), dialog.Get());
    app.EndModalSession(inner);
    dialog->OrderOut();
    app.EndModalSession(outer);
    EXPECT_TRUE(doc->IsKey()) << "no question left: the document";
    EXPECT_EQ(app.ModalWindowOnScreen(), nullptr);
}
