#include "ControlHost.h"
#include "controls/std/CRadioButton.h"
#include "controls/std/CSlider.h"
#include "controls/std/CStateButton.h"
#include "controls/std/LPopupList.h"
#include "controls/std/LProgressBar.h"
#include "controls/std/LScrollBar.h"
#include "controls/std/LStdButton.h"
#include "controls/std/LStdCheck.h"
#include "platform/controls/Button.h"
#include "platform/controls/ControlView.h"
#include "platform/controls/Slider.h"
#include "platform/controls/ProgressIndicator.h"
#include "platform/draw/Bitmap.h"
#include "platform/draw/Canvas.h"
#include "ui/draw/LPortState.h"
#include "platform/controls/Scroller.h"

#include <gtest/gtest.h>

namespace {

LStdCtlDesc NewDesc()
{
    LStdCtlDesc desc;
    desc.InitNew(0, LFont(0));
    return desc;
}

} // namespace

TEST(LStdCtl, NativeViewFollowsThePaneIntoAndOutOfTheWindow)
{
    ControlHost host;
    LStdButton button(&host, NewDesc());
    EXPECT_EQ(button.NativeView()->Superview(), nullptr);
    Activate(button, CLRect{10, 20, 90, 40});
    plat::View* content = host.fWindow->ContentView();
    ASSERT_EQ(button.NativeView()->Superview(), content);
    // Flipped into the content view's bottom-left coordinates.
    const plat::Rect frame = button.NativeView()->Frame();
    EXPECT_EQ(frame.x, 10);
    EXPECT_EQ(frame.y, content->Frame().height - 40);
    EXPECT_EQ(frame.width, 80);
    EXPECT_EQ(frame.height, 20);
    // A cut rectangle puts the control into a clip view of exactly the visible part.
    host.visible = CLRect{0, 0, 50, 200};
    button.SyncNativeFrame();
    ASSERT_NE(button.ClipView(), nullptr);
    EXPECT_EQ(button.ClipView()->Frame().width, 40);
    EXPECT_EQ(button.NativeView()->Superview(), button.ClipView());
    host.visible = CLRect{0, 0, 300, 200};
    button.SyncNativeFrame();
    EXPECT_EQ(button.ClipView(), nullptr);
    EXPECT_EQ(button.NativeView()->Superview(), content);
    button.SetState(kEventHostHide);
    EXPECT_EQ(button.NativeView()->Superview(), nullptr);
}

TEST(LStdCtl, NativeControlIsEnabledOnlyWhenAllFourConditionsHold)
{
    ControlHost host;
    LStdCheck check(&host, NewDesc());
    plat::Control* native = check.NativeControl();
    EXPECT_FALSE(native->IsEnabled());
    Activate(check, CLRect{0, 0, 20, 20});
    EXPECT_TRUE(native->IsEnabled());
    for (const auto& [off, on] : {std::pair{kEventDisable, kEventEnable}, {kEventDeactivate, kEventActivate},
                                  {kEventTransparent, kEventNotTransparent}, {kEventInTransparent, kEventNotInTransparent}}) {
        check.SetState(off);
        EXPECT_FALSE(native->IsEnabled()) << off;
        check.SetState(on);
        EXPECT_TRUE(native->IsEnabled()) << on;
    }
}

TEST(LPopupList, ChoosingAnotherItemReportsTheChange)
{
    ControlHost host;
    LPopupList list(&host, NewDesc(), 0);
    for (const char* item : {"one", "two", "three"})
        list.AddItem(item);
    list.SetSelection(0);
    Activate(list, CLRect{10, 10, 110, 30});
    host.Press(list, 20, 20, {{20, 40}, {20, 60}});          // two rows down: "three"
    EXPECT_EQ(host.Count(LPopupList::msgChanged), 1);
    EXPECT_EQ(list.GetSelection(), 2);
    // A click opens the list and leaves it open; a second click on the selected item chooses it.
    host.PlanGesture(20, 20, {});
    host.driver.PlanClick(host.Screen(20, 20));
    host.SendPress(list, 20, 20);
    EXPECT_EQ(host.Count(LPopupList::msgChanged), 1);
    EXPECT_EQ(host.Count(LStdCtl::msgSelected), 2);
}

TEST(LPopupList, ItemsSortSelectAndFind)
{
    ControlHost host;
    LPopupList sorted(&host, NewDesc(), LPopupList::kSorted);
    for (const char* item : {"b", "a", "ab", "B"})
        sorted.AddItem(item);
    std::vector<std::string> order;
    for (int i = 0; i < sorted.GetItemCount(); ++i)
        order.push_back(sorted.GetItemText(i));
    EXPECT_EQ(order, (std::vector<std::string>{"B", "a", "ab", "b"}));
    EXPECT_EQ(sorted.SetSelection(5), 3);
    EXPECT_EQ(sorted.FindItem("ab"), 2);
    EXPECT_EQ(sorted.FindItem("zz"), -1);
    EXPECT_EQ(sorted.GetItemText(9), "");
    sorted.InsertItem("", 0);                                 // a separator before the selection
    EXPECT_EQ(sorted.GetSelection(), 4);
    EXPECT_EQ(sorted.GetItemText(4), "b");
    sorted.RemoveAllItems();
    EXPECT_EQ(sorted.SetSelection(3), 0);
    EXPECT_EQ(sorted.GetSelection(), 0);
    EXPECT_EQ(sorted.PrefWidth(nullptr, 0), 36);
    EXPECT_EQ(sorted.PrefWidth(nullptr, -3), 36);
}

TEST(LPopupList, TitlePaneMadeWithTheListBecomesItsCaption)
{
    ControlHost host;
    LPopupList list(&host, NewDesc(), 0);
    LHandler title(&list);
    LMessage::Send(LMessage("LTitlePane_Constructing", &title, &list));
    EXPECT_EQ(list.Caption(), &title);
    LMessage::Send(LMessage("LTitlePane_Destructing", &title, &list));
    EXPECT_EQ(list.Caption(), nullptr);
}

TEST(CSlider, DragReportsClickMovesAndEndAndKeepsTheKnobFromProgramUpdates)
{
    ControlHost host;
    CSlider slider(&host);
    slider.SetRange(0, 100);
    Activate(slider, CLRect{10, 10, 126, 30});               // 116 wide: 100 pixels of travel
    host.onMessage = [&](const LMessage& msg) {
        if (StrEqual(msg.type, CSlider::msgChange))
            slider.SetValue(0);                               // a program update while dragging
    };
    host.Press(slider, 18, 20, {{43, 20}, {68, 20}});
    EXPECT_EQ(host.Count(CSlider::msgClick), 1);
    EXPECT_EQ(host.Count(CSlider::msgChange), 7);              // six moves of at most 10 px, the release
    EXPECT_EQ(host.Count(LStdCtl::msgSelected), 1);
    EXPECT_EQ(slider.GetValue(), 50);
    EXPECT_FALSE(slider.IsTracking());
    slider.SetValue(7);
    EXPECT_EQ(slider.GetValue(), 7);
    EXPECT_EQ(slider.GetMax(), 100);
}

TEST(CSlider, TallerThanWideIsVertical)
{
    ControlHost host;
    CSlider slider(&host);
    slider.SetRect(CLRect{0, 0, 20, 100});
    EXPECT_TRUE(dynamic_cast<plat::Slider*>(slider.NativeControl())->IsVertical());
    slider.SetRect(CLRect{0, 0, 100, 20});
    EXPECT_FALSE(dynamic_cast<plat::Slider*>(slider.NativeControl())->IsVertical());
}

TEST(LStdCheck, ClickTogglesUnlessTheParentVetoes)
{
    ControlHost host;
    LStdCheck check(&host, NewDesc());
    Activate(check, CLRect{10, 10, 30, 30});
    host.Press(check, 15, 15, {});
    EXPECT_EQ(host.Count(LStdCheck::msgChange), 1);
    EXPECT_TRUE(check.IsChecked());
    host.consume = {LStdCtl::msgSelected};
    host.Press(check, 15, 15, {});
    EXPECT_EQ(host.Count(LStdCheck::msgChange), 1);
    EXPECT_TRUE(check.IsChecked());
    EXPECT_TRUE(check.StoredState());
}

TEST(LScrollBar, RangeSetsKnobAndSteps)
{
    ControlHost host;
    LScrollBar bar(&host, LScrollBar::kVertical, true);
    auto* scroller = dynamic_cast<plat::Scroller*>(bar.NativeControl());
    EXPECT_EQ(bar.GetValue(), 0);
    bar.SetRange(50, 0, 100, 10);
    EXPECT_FLOAT_EQ(static_cast<float>(scroller->Value()), 0.5f);
    EXPECT_FLOAT_EQ(static_cast<float>(scroller->KnobProportion()), 10.0f / 110.0f);
    EXPECT_TRUE(scroller->IsEnabled());
    bar.SetValue(0);
    LMessage::Send(LMessage(LScrollBar::msgUp, &bar, &host));
    EXPECT_EQ(host.Count(LScrollBar::msgChange), 0);
    LMessage::Send(LMessage(LScrollBar::msgThumb, &bar, &host));
    EXPECT_EQ(host.Count(LScrollBar::msgChange), 1);
    LMessage::Send(LMessage(LScrollBar::msgPgDw, &bar, &host));
    EXPECT_EQ(bar.GetValue(), 10);
    EXPECT_EQ(host.Count(LScrollBar::msgChange), 2);
}

TEST(LScrollBar, EmptyRangeStaysDisabledWhenTheWindowActivates)
{
    ControlHost host;
    LScrollBar bar(&host, LScrollBar::kHorizontal, false);
    bar.SetRange(5, 3, 3, 1);
    Activate(bar, CLRect{0, 0, 64, 16});
    EXPECT_FALSE(bar.NativeControl()->IsEnabled());
    EXPECT_EQ(bar.GetValue(), 3);
    EXPECT_EQ(bar.PrefWidth(nullptr, 0), 64);
    EXPECT_EQ(bar.PrefHeight(nullptr, 0), 16);
}

TEST(LScrollBar, ClickOnTheArrowStepsByALine)
{
    ControlHost host;
    LScrollBar bar(&host, LScrollBar::kVertical, true);
    bar.SetRange(5, 0, 100, 10);
    Activate(bar, CLRect{100, 0, 116, 200});
    host.Press(bar, 108, 195, {});                            // the increment arrow
    EXPECT_EQ(host.Count(LScrollBar::msgDw), 1);
    EXPECT_EQ(bar.GetValue(), 6);
}

TEST(LProgressBar, MaximumBelowOneIsIndeterminate)
{
    ControlHost host;
    LProgressBar bar(&host);
    auto* indicator = dynamic_cast<plat::ProgressIndicator*>(bar.NativeControl());
    EXPECT_FALSE(indicator->IsIndeterminate());
    bar.SetMax(0);
    EXPECT_TRUE(indicator->IsIndeterminate());
    EXPECT_EQ(indicator->MaxValue(), 100);
    bar.SetMax(50);
    EXPECT_FALSE(indicator->IsIndeterminate());
    EXPECT_EQ(indicator->MaxValue(), 50);
    bar.SetValue(25);
    EXPECT_EQ(indicator->FilledFraction(), 0.5);
    EXPECT_EQ(bar.PrefWidth(nullptr, -1), 0);
    EXPECT_EQ(bar.PrefHeight(nullptr, 0), 14);
}

TEST(LStdButton, DefaultButtonTakesReturnAndSizesToItsTitle)
{
    ControlHost host;
    LStdButton button(&host, NewDesc());
    button.SetDefault(true);
    EXPECT_EQ(dynamic_cast<plat::Button*>(button.NativeControl())->KeyEquivalent(), "\r");
    button.SetTitle("OK");
    EXPECT_EQ(button.GetTitle(), "OK");
    EXPECT_EQ(button.PrefWidth(nullptr, 0), 58);
    EXPECT_EQ(button.PrefWidth(nullptr, -11), 8);
    button.SetTitle("A much longer title than fits");
    EXPECT_GT(button.PrefWidth(nullptr, 0), 58);
    const int32_t height = button.PrefHeight(nullptr, 0);
    EXPECT_GT(button.PrefHeight(nullptr, -10), 0);
    EXPECT_LT(button.PrefHeight(nullptr, -10), height);
}

TEST(CStateButton, PushesAndUnpushesAsTheHeldMouseLeavesAndReturns)
{
    ControlHost host;
    CStateButton button(&host, NewDesc(), 0);
    Activate(button, CLRect{10, 10, 30, 30});
    host.MouseMessage(button, "LMouse_Click", 15, 15);
    EXPECT_EQ(host.Count(CStateButton::msgPush), 1);
    EXPECT_EQ(host.Count(LPane::msgReqCapture), 1);
    host.MouseMessage(button, "LMouse_Move", 50, 15);
    EXPECT_EQ(host.Count(CStateButton::msgUnpush), 1);
    host.MouseMessage(button, "LMouse_Move", 20, 20);
    EXPECT_EQ(host.Count(CStateButton::msgPush), 2);
    host.MouseMessage(button, "LMouse_Release", 50, 50);
    EXPECT_EQ(host.Count(CStateButton::msgUnpush), 2);
    EXPECT_EQ(host.Count(LStdCtl::msgSelected), 0);
    host.MouseMessage(button, "LMouse_Move", 20, 20);
    host.MouseMessage(button, "LMouse_Release", 20, 20);
    EXPECT_EQ(host.Count(LStdCtl::msgSelected), 1);
    EXPECT_EQ(button.PrefWidth(nullptr, -11), 5);
    CStateButton mini(&host, NewDesc(), CStateButton::kMini);
    EXPECT_EQ(mini.PrefWidth(nullptr, -11), 2);
    EXPECT_EQ(mini.PrefWidth(nullptr, 0), 4);
}

TEST(CRadioButton, RingSelectsOneButton)
{
    ControlHost host;
    CRadioButton a(&host, NewDesc());
    CRadioButton b(&host, NewDesc());
    CRadioButton c(&host, NewDesc());
    EXPECT_EQ(a.SelectedIndex(), -1);
    a.SetNext(&b);
    b.SetNext(&c);
    c.SetNext(&a);
    b.SelectIndex(1);
    EXPECT_TRUE(c.IsChecked());
    EXPECT_EQ(a.SelectedIndex(), 2);
    Activate(a, CLRect{0, 0, 20, 20});
    host.Press(a, 5, 5, {});
    EXPECT_TRUE(a.IsChecked());
    EXPECT_FALSE(c.IsChecked());
    EXPECT_EQ(host.Count(LStdCheck::msgChange), 1);
    host.Press(a, 5, 5, {});                          // already on: selected again, reported again
    EXPECT_TRUE(a.IsChecked());
    EXPECT_EQ(host.Count(LStdCheck::msgChange), 2);
    CRadioButton alone(&host, NewDesc());
    alone.SelectIndex(0);
    EXPECT_EQ(alone.SelectedIndex(), 0);
}

TEST(LStdCtl, ControlOutsideAWindowIsDrawnIntoThePort)
{
    ControlHost host;
    LProgressBar bar(&host);
    bar.SetRect(CLRect{10, 10, 112, 24});              // never shown in the host: no window
    bar.SetMax(100);
    bar.SetValue(50);
    ASSERT_EQ(bar.NativeView()->GetWindow(), nullptr);
    plat::Bitmap bitmap(200, 50);
    plat::Canvas canvas(bitmap);
    LPortState port;
    port.SetContext(&canvas);
    port.SetClip(LRegion(CLRect{0, 0, 200, 50}));
    bar.DrawSelf(port);
    const auto blue = [&](int x, int y) { return (bitmap.Pixel(x, y) & 0xFF) > 0xC0 && ((bitmap.Pixel(x, y) >> 16) & 0xFF) < 0x80; };
    EXPECT_TRUE(blue(20, 17));                          // the filled half
    EXPECT_FALSE(blue(100, 17));
    EXPECT_EQ(bitmap.Pixel(150, 40), 0u);               // nothing outside the pane
}
