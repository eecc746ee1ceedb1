#include "controls/widgets/CDrawProcPane.h"
#include "controls/widgets/CTextSlot.h"
#include "foundation/input/LKeyboard.h"
#include "foundation/input/LMouse.h"
#include "platform/window/Pasteboard.h"
#include "tests/ui/draw/DrawTestPort.h"
#include "tests/ui/frames/FrameTestKit.h"
#include "ui/clipboard/LTextScrap.h"
#include "ui/menus/LMenuItem.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class TextSlotTest : public ::testing::Test {
protected:
    std::unique_ptr<CTextSlot> Make(uint8_t flags)
    {
        auto slot = std::make_unique<CTextSlot>(&fRoot, &fRoot, flags);
        slot->SetRect({20, 20, 120, 40});
        (void)slot->SetText(LStringRef("440 Hz"));
        fTop.seen.clear();
        return slot;
    }
    void Backspace(CTextSlot& slot)
    {
        fKeyboard.character = 8;
        LMessage::Send(LMessage(LKeyboard::msgChar, &fKeyboard, &slot));
    }

    LMouse fMouse;
    LKeyboard fKeyboard;
    ConsumingRecorder fTop;
    RootFrame fRoot{&fTop};
};

} // namespace

TEST_F(TextSlotTest, BackspaceClearsOnlyClearableSlots)
{
    auto fixed = Make(0);
    Backspace(*fixed);
    EXPECT_EQ(fTop.Count("LKeyboard_Char"), 1) << "passed on";
    EXPECT_EQ(fixed->Text(), "440 Hz");

    auto clearable = Make(CTextSlot::kClearable);
    Backspace(*clearable);
    EXPECT_TRUE(clearable->Text().IsEmpty());
    EXPECT_EQ(fTop.Count("CTextSlot_Changed"), 1);
    EXPECT_EQ(fTop.Count("LKeyboard_Char"), 0);
}

TEST_F(TextSlotTest, ClicksAskForTheFocusOnlyWhenEditable)
{
    auto fixed = Make(0);
    EXPECT_FALSE(fixed->Flags() & kPaneTransparent);
    LMessage::Send(LMessage("LMouse_Click", &fMouse, fixed.get()));
    EXPECT_EQ(fTop.Count("CTextSlot_Click"), 1);
    EXPECT_NE(fRoot.Focus(), fixed.get());

    auto editable = Make(CTextSlot::kEditable);
    LMessage::Send(LMessage("LMouse_Click", &fMouse, editable.get()));
    EXPECT_EQ(fTop.Count("CTextSlot_Click"), 1) << "consumed";
}

TEST_F(TextSlotTest, PlainSlotsDrawNoFrameAndOverlapOnlyTheirRectangle)
{
    auto plain = Make(CTextSlot::kPlain);
    EXPECT_FALSE(plain->Overlaps(LRegion(CLRect{120, 20, 122, 40})));
    auto framed = Make(0);
    EXPECT_TRUE(framed->Overlaps(LRegion(CLRect{120, 20, 122, 40})));

    DrawTestPort port(140, 60);
    plain->DrawSelf(port);
    EXPECT_EQ(port.Pixel(19, 30), 0u) << "no bevel";
    DrawTestPort framedPort(140, 60);
    framed->DrawSelf(framedPort);
    EXPECT_EQ(framedPort.Pixel(19, 30), 0xFF808080u) << "the dark edge of the sunken bevel";
    EXPECT_EQ(framedPort.Pixel(120, 30), 0xFFFFFFFFu) << "the light edge";
}

TEST_F(TextSlotTest, DrawProcPaneDrawsThroughItsCallbackInsideItsRectangle)
{
    CDrawProcPane pane(&fRoot, &fRoot);
    pane.SetRect({5, 5, 15, 15});
    DrawTestPort port(20, 20);
    pane.DrawSelf(port); // no callback: nothing
    int calls = 0;
    pane.context = &calls;
    pane.drawProc = [](void* context, CDrawProcPane& self, LPortState& drawPort) {
        ++*static_cast<int*>(context);
        EXPECT_TRUE(drawPort.Clip().Equals(LRegion(self.Rect())));
    };
    pane.DrawSelf(port);
    EXPECT_EQ(calls, 1);
}

namespace {

void Choose(CTextSlot& slot, const char* command)
{
    LMenuItem item(nullptr);
    item.AddCommand(LStringRef(command));
    LMessage::Send(LMessage("LMenuItem_Selected", &item, &slot));
}

} // namespace

TEST_F(TextSlotTest, ClipboardCommandsCopyCutAndPasteText)
{
    auto slot = Make(CTextSlot::kEditable);
    for (int32_t e : {kEventHostShow, kEventActivate})
        slot->SetState(e);
    ASSERT_TRUE(slot->IsFullyActive());
    Choose(*slot, "LStdCmd_Copy");
    EXPECT_EQ(LTextScrap().Text(), "440 Hz");
    Choose(*slot, "LStdCmd_Cut");
    EXPECT_TRUE(slot->Text().IsEmpty());
    EXPECT_EQ(fTop.Count("CTextSlot_Changed"), 1);
    plat::Pasteboard::General().Clear();
    LTextScrap(LStringRef("880 Hz")).Put();
    Choose(*slot, "LStdCmd_Paste");
    EXPECT_EQ(slot->Text(), "880 Hz");
    EXPECT_EQ(fTop.Count("CTextSlot_Changed"), 2);
    EXPECT_EQ(fTop.Count("LMenuItem_Selected"), 0) << "every command was taken";

    auto fixed = Make(0);
    for (int32_t e : {kEventHostShow, kEventActivate})
        fixed->SetState(e);
    Choose(*fixed, "LStdCmd_Paste");
    EXPECT_EQ(fixed->Text(), "440 Hz") << "a slot that is not editable takes no paste";
    EXPECT_EQ(fTop.Count("LMenuItem_Selected"), 1);
}
