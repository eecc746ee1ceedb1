#include "controls/edit/CNumVol.h"
#include "controls/std/CSlider.h"
#include "controls/std/LPopupList.h"
#include "foundation/input/LKeyboard.h"
#include "foundation/input/LMouse.h"
#include "platform/window/EventQueue.h"
#include "platform/window/WindowTestDriver.h"
#include "shell/windows/CDesktop.h"
#include "shell/windows/CNativeWindowKind.h"
#include "shell/windows/WindowNumberCache.h"
#include "ui/frames/LFrame.h"
#include "ui/windows/LWindowDef.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// The top of the chain: records what climbs to it and hands it back to its subject.
struct TopHandler : LHandler {
    void HandleMessage(LMessage& result, const LMessage& msg) override
    {
        seen.emplace_back(msg.type ? msg.type : "");
        LHandler::HandleMessage(result, msg);
    }
    int Count(const char* type) const { return static_cast<int>(std::count(seen.begin(), seen.end(), type)); }
    std::vector<std::string> seen;
};

// A document window frame at (100, 100) of 400 x 300 whose controls the driver plays with.
class WindowControlsTest : public ::testing::Test {
protected:
    WindowControlsTest() { WindowNumberCache::MarkStale(); }
    ~WindowControlsTest() override { WindowNumberCache::MarkStale(); }

    void Show() { fFrame->ShowWindow(); }
    // A point of the window's content in the driver's screen coordinates.
    plat::Point At(int32_t x, int32_t y) const
    {
        const CLRect content = fFrame->GetWindowContentRect();
        return {double(content.left + x), double(900 - (content.top + y))};
    }

    plat::WindowTestDriver fDriver;
    CDesktop fDesktop;
    LMouse fMouse;
    LKeyboard fKeyboard;
    LRef fKind{new CNativeWindowKind(99)};
    TopHandler fTop;
    std::unique_ptr<LFrame> fFrame = [this] {
        auto frame = std::make_unique<LFrame>(&fTop, nullptr,
                                              LWindowDef(LWindowDef::kLayerDocument, static_cast<CNativeWindowKind*>(fKind.Get())));
        frame->SetWindowContentRect({100, 100, 500, 400});
        return frame;
    }();
};

LStdCtlDesc NewDesc()
{
    LStdCtlDesc desc;
    desc.InitNew(0, LFont(0));
    return desc;
}

} // namespace

TEST_F(WindowControlsTest, DriverChoosesAnItemOfAPopupList)
{
    LPopupList list(fFrame.get(), NewDesc(), 0);
    for (const char* item : {"dmx", "midi", "osc"})
        list.AddItem(item);
    list.SetSelection(0);
    list.SetRect({20, 20, 140, 40});
    Show();
    fDriver.PostMouse(plat::EventType::LeftMouseDown, At(30, 30));
    fDriver.PostMouse(plat::EventType::LeftMouseDragged, At(30, 50));
    fDriver.PostMouse(plat::EventType::LeftMouseUp, At(30, 50));
    fDriver.DeliverAll();
    EXPECT_EQ(list.GetSelection(), 1);
    EXPECT_EQ(fTop.Count(LPopupList::msgChanged), 1);
}

TEST_F(WindowControlsTest, DriverDragsASlider)
{
    CSlider slider(fFrame.get());
    slider.SetRange(0, 100);
    slider.SetRect({20, 60, 136, 80});
    Show();
    fDriver.PostMouse(plat::EventType::LeftMouseDown, At(28, 70));
    fDriver.PostMouse(plat::EventType::LeftMouseDragged, At(53, 70));
    fDriver.PostMouse(plat::EventType::LeftMouseUp, At(78, 70));
    fDriver.DeliverAll();
    EXPECT_EQ(slider.GetValue(), 50);
    EXPECT_EQ(fTop.Count(CSlider::msgClick), 1);
    EXPECT_GE(fTop.Count(CSlider::msgChange), 2);
    EXPECT_EQ(fTop.Count(LStdCtl::msgSelected), 1);
}

TEST_F(WindowControlsTest, DriverClicksAndTypesIntoAValueField)
{
    CNumVol field(fFrame.get(), 0, 0);
    field.SetRect({20, 100, 120, 122});
    field.SetState(kEventTakeFocus);
    Show();
    EXPECT_TRUE(field.HasFlags(kPaneFocused));        // the first Tab stop takes the focus on show
    fDriver.Click(At(100, 110));                      // right half: one step up
    EXPECT_EQ(field.GetValue(), 1);
    fDriver.Click(At(30, 110));                       // left half: one step down
    EXPECT_EQ(field.GetValue(), 0);
    EXPECT_EQ(fTop.Count(CNumVol::msgFix), 2);
    fDriver.TypeKey("7", 0);                          // typed into the open field editor
    EXPECT_EQ(fTop.Count(LEditText::msgChange), 1);
    // Return as the focus pane receives it from its window.
    fKeyboard.SetKey("\r", "\r", 36, 0, nullptr);
    fKeyboard.DeliverKeyDown(&field);
    EXPECT_EQ(field.GetValue(), 7);
    EXPECT_EQ(fTop.Count(CNumVol::msgFix), 3);
}
