#include "controls/drag/CDragItemList.h"
#include "controls/drag/CDragScrapAcs.h"
#include "controls/drag/CDragger.h"
#include "controls/drag/MDragSrc.h"
#include "foundation/input/LMouse.h"
#include "platform/window/DragSession.h"
#include "platform/window/Pasteboard.h"
#include "platform/window/Window.h"
#include "platform/window/WindowStyle.h"
#include "platform/window/WindowTestDriver.h"
#include "shell/windows/LDrop.h"
#include "tests/support/RecordingHandler.h"
#include "tests/ui/frames/FrameTestKit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr uint32_t kFADR = 0x46414452; // 'FADR'
constexpr uint32_t kTEXT = 0x54455854; // 'TEXT'

std::vector<uint8_t> Bytes(std::initializer_list<uint8_t> list)
{
    return list;
}

// A window that takes any drag: its drop record reads the data with a drag scrap reader.
class DropWindow : public plat::WindowDelegate {
public:
    DropWindow()
    {
        window->SetDelegate(this);
        window->RegisterForDraggedTypes({plat::Pasteboard::kTypeData});
        window->OrderFront();
    }
    uint32_t DraggingEntered(const plat::DraggingInfo& info) override
    {
        drop.DraggingEntered(info);
        return plat::kDragCopy;
    }
    uint32_t DraggingUpdated(const plat::DraggingInfo&) override { return plat::kDragCopy; }
    bool PrepareForDragOperation(const plat::DraggingInfo&) override { return true; }
    bool PerformDragOperation(const plat::DraggingInfo&) override
    {
        CDragScrapAcs reader(&drop);
        const uint8_t* data = nullptr;
        uint32_t size = 0;
        if (!reader.GetData({LStringRef(), kFADR}, 0, data, size))
            return false;
        received.assign(data, data + size);
        return true;
    }

    plat::Ref<plat::Window> window =
        plat::Window::Make(plat::Rect{0, 0, 200, 200}, plat::kStyleTitled | plat::kStyleClosable);
    LDrop drop{window.Get()};
    std::vector<uint8_t> received;
};

class DragTest : public ::testing::Test {
protected:
    DragTest()
    {
        plat::Pasteboard::Drag().Clear();
        fDrop.DraggingEntered(plat::DraggingInfo{nullptr, &plat::Pasteboard::Drag(), {}, plat::kDragCopy});
    }
    ~DragTest() override { CDragger::SetDragRunner(nullptr); }

    bool Read(const LScrapFlavor& type, uint32_t index, std::vector<uint8_t>& out)
    {
        const uint8_t* data = nullptr;
        uint32_t size = 0;
        if (!fReader.GetData(type, index, data, size))
            return false;
        out.assign(data, data + size);
        return true;
    }
    // A dragger made at a press at (100, 100) under a root frame whose top lets every
    // message come back to its subject.
    CDragger* Press()
    {
        fMouse.location = {100, 100};
        fTop.seen.clear();
        return new CDragger(&fRoot); // deletes itself at the end of its gesture
    }
    void Mouse(const char* type, CDragger* dragger, int32_t x, int32_t y)
    {
        fMouse.location = {x, y};
        LMessage::Send(LMessage(type, &fMouse, dragger));
    }

    plat::WindowTestDriver fDriver;
    LMouse fMouse;
    RecordingHandler fTop;
    RootFrame fRoot{&fTop};
    LDrop fDrop{nullptr};
    CDragScrapAcs fReader{&fDrop};
};

} // namespace

TEST_F(DragTest, ItemsRoundTripTheirTypedDataThroughThePasteboard)
{
    LRef hold(new CDragItemList);
    auto& items = static_cast<CDragItemList&>(*hold.Get());
    const uint8_t fader[] = {1, 2, 3, 0, 255};
    items.AddItem(LStringRef(), kFADR, "old", 3, CDragItem::kLocalOnly);
    items.AddItem(LStringRef("com.sonalyx.evtx"), 0, "10:00 start", 11, 0);
    items.AddItem(LStringRef(), kFADR, fader, sizeof fader, CDragItem::kLocalOnly);
    EXPECT_FALSE(items.WriteToPasteboard(plat::Pasteboard::Drag())) << "one item may leave the program";

    std::vector<uint8_t> out;
    ASSERT_TRUE(Read({LStringRef(), kFADR}, 0, out));
    EXPECT_EQ(out, Bytes({1, 2, 3, 0, 255})) << "the later item of a type replaces the earlier";
    ASSERT_TRUE(Read({LStringRef("com.sonalyx.evtx"), 0}, 0, out));
    EXPECT_EQ(std::string(out.begin(), out.end()), "10:00 start");
    EXPECT_FALSE(Read({LStringRef(), kFADR}, 1, out)) << "plain data has only element 0";
    EXPECT_FALSE(Read({LStringRef("public.png"), 0}, 0, out));
    EXPECT_TRUE(fReader.HasType({LStringRef("com.sonalyx.evtx"), 0}));
    EXPECT_FALSE(CDragScrapAcs::DropHasType(nullptr, {LStringRef(), kFADR}));
}

TEST_F(DragTest, LocalOnlyItemsOfferNothingOutside)
{
    LRef hold(new CDragItemList);
    auto& items = static_cast<CDragItemList&>(*hold.Get());
    EXPECT_TRUE(items.WriteToPasteboard(plat::Pasteboard::Drag())) << "an empty list is local";
    items.AddItem(LStringRef(), kFADR, "x", 1, CDragItem::kLocalOnly);
    const bool local = items.WriteToPasteboard(plat::Pasteboard::Drag());
    EXPECT_TRUE(local);
    MDragSrc source(local);
    EXPECT_EQ(source.OperationMask(false), 0u);
    EXPECT_EQ(source.OperationMask(true), 23u);
    EXPECT_EQ(MDragSrc(false).OperationMask(false), 1u);
}

TEST_F(DragTest, RepeatedReadsComeFromTheCache)
{
    plat::Pasteboard::Drag().SetData("FADR", {7, 7});
    std::vector<uint8_t> out;
    ASSERT_TRUE(Read({LStringRef(), kFADR}, 0, out));
    plat::Pasteboard::Drag().SetData("FADR", {9});
    ASSERT_TRUE(Read({LStringRef(), kFADR}, 0, out));
    EXPECT_EQ(out, Bytes({7, 7}));
}

TEST_F(DragTest, CodesMatchByTextOrByTag)
{
    plat::Pasteboard::Drag().SetData("public.plain-text", {'h', 'i'});
    std::vector<uint8_t> out;
    ASSERT_TRUE(Read({LStringRef(), kTEXT}, 0, out));
    EXPECT_EQ(out, Bytes({'h', 'i'}));
    plat::Pasteboard::Drag().Clear();
    plat::Pasteboard::Drag().SetData("TEXT", {'x'});
    EXPECT_EQ(CDragScrapAcs::ConvertPasteboardType(&plat::Pasteboard::Drag(), {LStringRef(), kTEXT}), "TEXT");
    EXPECT_EQ(CDragScrapAcs::ConvertPasteboardType(nullptr, {LStringRef(), kTEXT}), std::nullopt);
}

TEST_F(DragTest, SeveralItemsOfATypeReadAsAList)
{
    plat::Pasteboard::Drag().AddItem({{"public.file-url", {'a'}}});
    plat::Pasteboard::Drag().AddItem({{"public.file-url", {'b'}}});
    std::vector<uint8_t> out;
    ASSERT_TRUE(Read({LStringRef("public.file-url"), 0}, 1, out));
    EXPECT_EQ(out, Bytes({'b'}));
    EXPECT_FALSE(Read({LStringRef("public.file-url"), 0}, 2, out));
}

TEST_F(DragTest, ReleaseBeforeFourPixelsIsAClick)
{
    bool ran = false;
    CDragger::SetDragRunner([&](plat::DragSession&) { return ran = true; });
    uint32_t result = 99;
    fTop.onMessage = [&](const LMessage& msg) {
        if (StrEqual(msg.type, CDragger::msgEnd))
            result = static_cast<CDragger*>(msg.subject)->Result();
    };
    CDragger* dragger = Press();
    EXPECT_EQ(fTop.seen, (std::vector<std::string>{"LPane_ReqCapture"}));
    Mouse("LMouse_Move", dragger, 103, 97);
    EXPECT_EQ(fTop.seen.size(), 1u) << "3 pixels are not a drag";
    Mouse("LMouse_Release", dragger, 103, 97);
    EXPECT_EQ(result, 0u);
    EXPECT_FALSE(ran);
}

TEST_F(DragTest, DraggerCarriesItsItemsToTheDropWindow)
{
    DropWindow target;
    LRef hold(new CDragItemList);
    static_cast<CDragItemList*>(hold.Get())->AddItem(LStringRef(), kFADR, "\x05\x06", 2, 0);
    CDragger::SetDragRunner([](plat::DragSession& session) {
        session.MoveTo(plat::Point{50, 50});
        return session.Drop();
    });
    uint32_t result = 99;
    fTop.onMessage = [&](const LMessage& msg) {
        auto* dragger = dynamic_cast<CDragger*>(msg.subject);
        if (!dragger)
            return; // the stand-in that held the capture goes away on the way
        if (StrEqual(msg.type, CDragger::msgDrag)) {
            dragger->SetItems(static_cast<CDragItemList*>(hold.Get()));
            dragger->SetRegion(LRegion(CLRect{100, 100, 110, 104}));
        }
        if (StrEqual(msg.type, CDragger::msgEnd)) {
            result = dragger->Result();
            EXPECT_EQ(dragger->DragImage().Width(), 10u);
            EXPECT_EQ(dragger->DragImage().Height(), 4u);
        }
    };
    CDragger* dragger = Press();
    Mouse("LMouse_Move", dragger, 100, 104);
    EXPECT_EQ(result, uint32_t(CDragger::kAccepted));
    EXPECT_EQ(target.received, Bytes({5, 6}));
    EXPECT_EQ(fMouse.Capture(), nullptr) << "no capture is left on the stand-in";
}

TEST_F(DragTest, ADragNobodyTakesEndsWithNoOperationAndATinyImage)
{
    uint32_t result = 99;
    uint32_t width = 0;
    fTop.onMessage = [&](const LMessage& msg) {
        if (StrEqual(msg.type, CDragger::msgEnd)) {
            result = static_cast<CDragger*>(msg.subject)->Result();
            width = static_cast<CDragger*>(msg.subject)->DragImage().Width();
        }
    };
    CDragger* dragger = Press();
    Mouse("LMouse_Move", dragger, 96, 100);
    EXPECT_EQ(result, uint32_t(CDragger::kNoOperation));
    EXPECT_EQ(width, 1u) << "an empty region drags a 1 x 1 transparent image";
}
