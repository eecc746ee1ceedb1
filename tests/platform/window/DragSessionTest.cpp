#include "WindowKit.h"
#include "platform/window/DragSession.h"
#include "platform/window/DragTracking.h"
#include "platform/window/EventQueue.h"
#include "platform/window/Pasteboard.h"
#include "platform/window/WindowTestDriver.h"

#include <gtest/gtest.h>

#include <functional>

using namespace plat;

namespace {

// Writes down the drag callbacks and answers with a fixed operation.
class DropDelegate : public WindowDelegate {
public:
    uint32_t DraggingEntered(const DraggingInfo& info) override { log.push_back("entered"); x = info.location.x; return answer; }
    uint32_t DraggingUpdated(const DraggingInfo& info) override { log.push_back("updated"); x = info.location.x; return answer; }
    void DraggingExited(const DraggingInfo&) override { log.push_back("exited"); }
    bool PrepareForDragOperation(const DraggingInfo&) override { log.push_back("prepare"); return true; }
    bool PerformDragOperation(const DraggingInfo& info) override
    {
        log.push_back("perform");
        return info.pasteboard->Data("FADR").has_value();
    }
    void ConcludeDragOperation(const DraggingInfo&) override { log.push_back("conclude"); }
    void DraggingEnded(const DraggingInfo&) override { log.push_back("ended"); }

    std::vector<std::string> log;
    uint32_t answer = kDragCopy;
    double x = 0;
};

class DragSessionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fLeft->SetDelegate(&fLeftDelegate);
        fRight->SetDelegate(&fRightDelegate);
        fLeft->RegisterForDraggedTypes({"FADR"});
        fRight->RegisterForDraggedTypes({Pasteboard::kTypeData});
        fLeft->OrderFront();
        fRight->OrderFront();
        Pasteboard::Drag().Clear();
        Pasteboard::Drag().SetData("FADR", {1});
    }

    WindowTestDriver fDriver;
    Ref<Window> fLeft = MakeDocument(0, 0, 100, 100);
    Ref<Window> fRight = MakeDocument(200, 0, 100, 100);
    DropDelegate fLeftDelegate, fRightDelegate;
};

} // namespace

TEST_F(DragSessionTest, WindowsHearEnterUpdateAndExitAsThePointerCrosses)
{
    DragSession drag(Pasteboard::Drag(), kDragCopy | kDragMove);
    EXPECT_EQ(drag.MoveTo(Point{10, 10}), uint32_t(kDragCopy));
    EXPECT_EQ(drag.MoveTo(Point{20, 10}), uint32_t(kDragCopy));
    EXPECT_DOUBLE_EQ(fLeftDelegate.x, 20);
    EXPECT_EQ(drag.MoveTo(Point{150, 10}), uint32_t(kDragNone)); // between the windows
    EXPECT_EQ(drag.MoveTo(Point{250, 10}), uint32_t(kDragCopy));
    EXPECT_DOUBLE_EQ(fRightDelegate.x, 50); // window base coordinates
    EXPECT_EQ(fLeftDelegate.log, (std::vector<std::string>{"entered", "updated", "exited"}));
    fRightDelegate.answer = kDragLink; // not allowed by the source
    EXPECT_EQ(drag.MoveTo(Point{260, 10}), uint32_t(kDragNone));
    EXPECT_FALSE(drag.Drop()); // nothing allowed: the window hears exited
    EXPECT_EQ(fRightDelegate.log, (std::vector<std::string>{"entered", "updated", "exited", "ended"}));
}

TEST_F(DragSessionTest, ADropIsPreparedPerformedAndConcluded)
{
    DragSession drag(Pasteboard::Drag(), kDragCopy);
    drag.MoveTo(Point{10, 10});
    EXPECT_TRUE(drag.Drop());
    EXPECT_EQ(fLeftDelegate.log, (std::vector<std::string>{"entered", "prepare", "perform", "conclude", "ended"}));
    EXPECT_FALSE(drag.Drop()); // a drag ends once
    EXPECT_EQ(drag.MoveTo(Point{10, 10}), uint32_t(kDragNone));
}

TEST_F(DragSessionTest, WindowsThatDoNotTakeTheDataAreSkipped)
{
    Pasteboard::Drag().Clear();
    Pasteboard::Drag().SetData("EVTX", {1});
    {
        DragSession drag(Pasteboard::Drag(), kDragCopy);
        EXPECT_EQ(drag.MoveTo(Point{10, 10}), uint32_t(kDragNone)); // left takes only 'FADR'
        EXPECT_EQ(drag.MoveTo(Point{210, 10}), uint32_t(kDragCopy)); // right takes any data
    } // ending the session without a drop is a cancel
    EXPECT_TRUE(fLeftDelegate.log.empty());
    EXPECT_EQ(fRightDelegate.log, (std::vector<std::string>{"entered", "exited"}));
}

// The user's pointer plays the drag. The left window took the press, so it reports every
// move, in its own coordinates, even over the right window; the drag maps them to the screen.
// A change of the modifier keys asks the target again.
TEST_F(DragSessionTest, ThePointerCarriesTheDragUntilReleaseEscapeOrALostButton)
{
    const auto post = [&](EventType type, Point screen) {
        Ref<Event> event = fDriver.MakeMouse(type, screen);
        event->windowNumber = fLeft->Number();
        event->locationInWindow = fLeft->ConvertScreenToBase(screen);
        EventQueue::Shared().Post(event);
    };
    const std::vector<std::string> dropped{"entered", "updated", "updated", "prepare", "perform", "conclude", "ended"};
    const std::vector<std::string> cancelled{"entered", "updated", "exited"};
    const struct {
        const char* name;
        std::function<void()> end;
        bool performed;
        std::vector<std::string> right;
        size_t queuedAfter;  // the release stays for the program
    } cases[] = {
        {"release", [&] { post(EventType::LeftMouseUp, Point{260, 10}); }, true, dropped, 1},
        {"escape", [&] { fDriver.PostKey(EventType::KeyDown, "\x1b", 53); }, false, cancelled, 0},
        {"lost release", [&] { post(EventType::MouseMoved, Point{270, 10}); }, false, cancelled, 0},
    };
    for (const auto& c : cases) {
        fRightDelegate.log.clear();
        EventQueue::Shared().Clear();
        EventQueue::Shared().SetCurrent(fDriver.MakeMouse(EventType::LeftMouseDragged, Point{10, 10}));
        fDriver.WhenWaiting([&] { post(EventType::LeftMouseDragged, Point{250, 10}); });
        fDriver.WhenWaiting([&] { fDriver.PostKey(EventType::KeyDown, "a", 0); });  // other keys do nothing
        fDriver.WhenWaiting([&] { fDriver.PostKey(EventType::FlagsChanged, "", 0, kModOption); });  // asks again
        fDriver.WhenWaiting(c.end);
        DragSession drag(Pasteboard::Drag(), kDragCopy);
        EXPECT_EQ(DragTracking::Run(drag), c.performed) << c.name;
        EXPECT_FALSE(DragTracking::IsRunning());
        EXPECT_EQ(fRightDelegate.log, c.right) << c.name;
        EXPECT_DOUBLE_EQ(fRightDelegate.x, c.performed ? 60 : 50) << c.name;
        EXPECT_EQ(EventQueue::Shared().Count(), c.queuedAfter) << c.name;
    }
}
