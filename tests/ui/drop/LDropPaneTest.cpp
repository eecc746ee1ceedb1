#include "shell/windows/LDrop.h"
#include "tests/shell/windows/WindowBridgeKit.h"
#include "ui/dialogs/DialogResources.h"
#include "controls/lists/LListPane.h"
#include "ui/drop/CDragScroller.h"
#include "ui/drop/CDropReceiver.h"
#include "ui/drop/LDropPane.h"
#include "ui/drop/LDropRegistry.h"
#include "ui/frames/LFrame.h"

#include <memory>

namespace {

// A document window whose frame hands the drop pane's messages to a recording owner.
class DropPanes : public WindowBridgeTest {
protected:
    DropPanes()
    {
        LRef kind(new CNativeWindowKind(6));
        frame = std::make_unique<LFrame>(&owner, nullptr,
                                         LWindowDef(LWindowDef::kLayerDocument, static_cast<CNativeWindowKind*>(kind.Get())));
        frame->ShowWindow();
    }
    LDrop* Target() const { return LDropRegistry::Find(frame->Window()->Native()); }
    void Send(const char* type, LHandler* to) { LMessage::Send(LMessage(type, Target(), to)); }

    RecordingHandler owner;
    std::unique_ptr<LFrame> frame;
};

TEST_F(DropPanes, AnOwnerThatGivesNoAnswerGetsNoHighlightAndNoDrop)
{
    LDropPane pane(frame.get(), 1);
    pane.SetRect({10, 10, 110, 60});
    Send(LDrop::msgEnter, &pane);
    EXPECT_EQ(std::count(owner.seen.begin(), owner.seen.end(), "LDropPane_Enter"), 1);
    EXPECT_FALSE(pane.IsHighlighted());
    Send(LDrop::msgDrop, &pane);
    EXPECT_EQ(std::count(owner.seen.begin(), owner.seen.end(), "LDropPane_Drop"), 0);
}

TEST_F(DropPanes, AnAcceptedDragHighlightsARingAndDrops)
{
    LDropPane pane(frame.get(), 1);
    pane.SetRect({10, 10, 110, 60});
    owner.onMessage = [&](const LMessage& msg) {
        if (StrEqual(msg.type, LDropPane::msgEnter))
            pane.SetDropCursor(LDrop::kCopy);
    };
    Send(LDrop::msgEnter, &pane);
    EXPECT_TRUE(pane.IsHighlighted());
    EXPECT_EQ(Target()->AcceptKind(), LDrop::kCopy);
    const LRegion band = pane.HighlightRegion();
    EXPECT_EQ(band.GetBounds(), CLRect(10, 10, 110, 60));
    EXPECT_TRUE(band.Contains({11, 11}) && !band.Contains({12, 12})) << "ring size 1: a 2-pixel band";
    Send(LDrop::msgDrop, &pane);
    EXPECT_FALSE(pane.IsHighlighted());
    EXPECT_EQ(std::count(owner.seen.begin(), owner.seen.end(), "LDropPane_Drop"), 1);

    LDropPane wide(frame.get(), 2);
    wide.SetRect({0, 0, 40, 40});
    EXPECT_TRUE(wide.HighlightRegion().Contains({5, 5}) && !wide.HighlightRegion().Contains({6, 6}))
        << "ring size 2: a 6-pixel band";
    owner.onMessage = nullptr;
}

TEST_F(DropPanes, TwoPanesRegisterTheirWindowUntilBothAreGone)
{
    plat::Window* native = frame->Window()->Native();
    auto first = std::make_unique<LDropPane>(frame.get(), 1);
    auto second = std::make_unique<LDropPane>(frame.get(), 1);
    for (const uint32_t count : {2u, 1u}) {
        ASSERT_NE(LDropRegistry::Find(native), nullptr);
        EXPECT_EQ(LDropRegistry::Find(native)->RegistrationCount(), count);
        first.reset();
    }
    second.reset();
    EXPECT_EQ(LDropRegistry::Find(native), nullptr);
}

TEST_F(DropPanes, DropsAreIgnoredWhileAModalDialogIsInFront)
{
    LDropPane pane(frame.get(), 1);
    pane.SetRect({10, 10, 110, 60});
    {
        LFrame modal(&owner, nullptr, ModalWindowDef(3));
        modal.ShowWindow();
        Send(LDrop::msgSense, &pane);
        EXPECT_EQ(Target()->CurrentPane(), nullptr);
    }
    Send(LDrop::msgSense, &pane);
    EXPECT_EQ(Target()->CurrentPane(), &pane);
    EXPECT_TRUE(LDropRegistry::IsDragActive());
}

TEST_F(DropPanes, AReceiverSortsTheDragMessages)
{
    LPane pane(frame.get(), frame.get());
    CDropReceiver receiver(&pane);
    LDrop* drop = Target();
    // Drags and leaves before an enter, and anything after the leave, are no drag of this pane.
    const std::pair<const char*, int> sequence[] = {
        {LDrop::msgDrag, CDropReceiver::kOther}, {LDrop::msgLeave, CDropReceiver::kOther},
        {LDrop::msgEnter, CDropReceiver::kEnter}, {LDrop::msgDrag, CDropReceiver::kDrag},
        {LDrop::msgDrop, CDropReceiver::kDrop}, {LDrop::msgLeave, CDropReceiver::kLeave},
        {LDrop::msgDrop, CDropReceiver::kOther}, {"LMouse_Click", CDropReceiver::kOther}};
    for (const auto& [type, expected] : sequence) {
        EXPECT_EQ(int(receiver.Classify(LMessage(type, drop, &pane))), expected) << type;
        if (expected == CDropReceiver::kEnter) {
            EXPECT_EQ(receiver.CurrentDrag(), drop);
        }
    }
}

} // namespace

namespace {

class PlainList : public LListPane {
public:
    using LListPane::LListPane;
    void DrawCell(LPortState&, const CLPoint&, const CLRect&) const override {}
};

TEST_F(DropPanes, ADragScrollerReportsOnlyAcceptedDragsAndDrops)
{
    PlainList list(frame.get(), 0);
    list.SetRect({0, 0, 100, 100});
    CDragScroller scroller(&list);
    LDrop* drop = Target();
    auto phase = [&](const char* type) { return scroller.DropPhase(LMessage(type, drop, &list)); };
    EXPECT_EQ(phase(LDrop::msgSense), CDropReceiver::kSense);
    EXPECT_EQ(phase(LDrop::msgEnter), CDropReceiver::kEnter);
    EXPECT_EQ(phase(LDrop::msgDrag), CDropReceiver::kOther) << "the owner has not accepted";
    scroller.SetIndicatorActive(true);
    EXPECT_EQ(phase(LDrop::msgDrag), CDropReceiver::kDrag);
    EXPECT_EQ(phase(LDrop::msgDrop), CDropReceiver::kDrop);
    EXPECT_FALSE(scroller.IndicatorActive());
    EXPECT_EQ(scroller.Scroller().Stage(), 0) << "a drop stops the scrolling";
    EXPECT_EQ(phase(LDrop::msgLeave), CDropReceiver::kLeave);
    EXPECT_EQ(phase(LDrop::msgDrop), CDropReceiver::kOther);
}

} // namespace
