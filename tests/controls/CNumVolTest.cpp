#include "ControlHost.h"
#include "controls/edit/CMacEditText.h"
#include "controls/edit/CNoteEdit.h"
#include "controls/edit/CNumVol.h"
#include "platform/controls/TextFieldView.h"
#include "foundation/input/LKeyboard.h"

#include <gtest/gtest.h>

namespace {

// A value field 100 pixels wide at (10, 10) in the host's key window.
class CNumVolTest : public ::testing::Test {
protected:
    template <class T = CNumVol, class... Args>
    T& Make(Args... args)
    {
        auto field = std::make_unique<T>(&host, args...);
        T& made = *field;
        Activate(made, CLRect{10, 10, 110, 32});
        made.SetState(kEventKeyWindow);
        fField = std::move(field);
        return made;
    }
    void Focus() { fField->SetState(kEventFocus); }
    void Click(int32_t x) { host.MouseMessage(*fField, "LMouse_Click", x, 20); }
    void MoveTo(int32_t x, int32_t y = 20) { host.MouseMessage(*fField, "LMouse_Move", x, y); }
    void Release() { host.MouseMessage(*fField, "LMouse_Release", 0, 20); }
    void Key(const char* characters, uint32_t modifiers)
    {
        keyboard.SetKey(characters, characters, 0, modifiers, nullptr);
        keyboard.DeliverKeyDown(fField.get());
    }
    void Type(const std::string& characters)
    {
        for (char c : characters) {
            host.driver.PostKey(plat::EventType::KeyDown, std::string(1, c), 0);
            host.driver.DeliverAll();
        }
    }
    void Expire() { LMessage::Send(LMessage(LTimer::msgExpire, static_cast<CNumVol&>(*fField).RepeatTimer(), fField.get())); }

    ControlHost host;
    LKeyboard keyboard;
    std::unique_ptr<LPane> fField;
};

constexpr uint32_t kControl = 0x40000;
constexpr uint32_t kShift = 0x20000;
constexpr const char* kUp = "\xEF\x9C\x80";

} // namespace

TEST_F(CNumVolTest, ClickInTheRightHalfStepsUpAndReleaseFixes)
{
    CNumVol& field = Make(0u, 0u);
    EXPECT_EQ(field.Minimum(), 0);
    EXPECT_EQ(field.Maximum(), 100);
    EXPECT_EQ(field.Step(), 1);
    Focus();
    host.consume = {CNumVol::msgMove};
    Click(80);
    EXPECT_EQ(field.GetValue(), 1);
    EXPECT_EQ(host.Count(CNumVol::msgMove), 1);
    Release();
    EXPECT_EQ(host.Count(CNumVol::msgFix), 1);
    Click(20);                                        // left half
    EXPECT_EQ(field.GetValue(), 0);
    Click(20);                                        // at the minimum: no change, no move
    EXPECT_EQ(host.Count(CNumVol::msgMove), 2);
}

TEST_F(CNumVolTest, UnclaimedMoveBecomesAFixAtOnce)
{
    CNumVol& field = Make(0u, 0u);
    Focus();
    Click(80);
    EXPECT_EQ(host.Count(CNumVol::msgMove), 1);
    EXPECT_EQ(host.Count(CNumVol::msgFix), 1);
    Release();                                        // nothing moved since: no second fix
    EXPECT_EQ(host.Count(CNumVol::msgFix), 1);
    EXPECT_EQ(field.GetValue(), 1);
}

TEST_F(CNumVolTest, SmallWobbleKeepsRepeatingAndADragAccelerates)
{
    CNumVol& field = Make(0u, 0u);
    Focus();
    host.consume = {CNumVol::msgMove};
    Click(80);                                        // 1
    MoveTo(84);                                       // 4 pixels: no drag yet
    EXPECT_NE(field.RepeatTimer(), nullptr);
    Expire();                                         // the held button repeats: 2
    EXPECT_EQ(field.GetValue(), 2);
    MoveTo(96);                                       // 16 from the press: (16 + 3) / 4 x 16 = 64
    EXPECT_EQ(field.RepeatTimer(), nullptr);
    EXPECT_EQ(field.GetValue(), 66);
    MoveTo(108);                                      // 12 more: 36, limited to 100
    EXPECT_EQ(field.GetValue(), 100);
    MoveTo(108, 8);                                   // 12 up: up is positive
    EXPECT_EQ(field.GetValue(), 100);
    MoveTo(96, 8);                                    // 12 left: -36
    EXPECT_EQ(field.GetValue(), 64);
    Release();
    EXPECT_EQ(host.Count(CNumVol::msgFix), 1);
}

TEST_F(CNumVolTest, ControlArrowsStepByATenthOrByTheStep)
{
    CNumVol& field = Make(0u, 0u);
    field.SetRange(0, 1000, 1);
    Focus();
    Key(kUp, kControl);
    EXPECT_EQ(field.GetValue(), 100);
    Key(kUp, kControl | kShift);
    EXPECT_EQ(field.GetValue(), 101);
    EXPECT_EQ(host.Count(CNumVol::msgFix), 2);
    field.SetRange(0, 0, 0);
    Key(kUp, kControl);                               // range and step 0: taken, no change
    EXPECT_EQ(host.Count(CNumVol::msgFix), 2);
}

TEST_F(CNumVolTest, ExternalStepsScaleWithTheRange)
{
    CNumVol& field = Make(0u, 0u);
    field.SetRange(0, 1000, 1);
    field.SetValue(0);
    CGenCtlStep twenty(20);
    LMessage::Send(LMessage(CNumVol::msgStep, &twenty, &field));
    EXPECT_EQ(field.GetValue(), 20);
    CGenCtlStep five(5);
    LMessage::Send(LMessage(CNumVol::msgStep, &five, &field));
    EXPECT_EQ(field.GetValue(), 25);
    CGenCtlStep huge(-2000000000);
    LMessage::Send(LMessage(CNumVol::msgStep, &huge, &field));
    EXPECT_EQ(field.GetValue(), 0);
}

TEST_F(CNumVolTest, WheelStepFollowsTheDigitUnderThePointer)
{
    CNumVol& field = Make(2u, 0u);
    field.SetValue(12.34);
    EXPECT_EQ(std::string(field.GetText().View()), "12.34");
    const int32_t width = field.MeasureTextWidth(nullptr, "12.34");
    const int32_t left = 10 + field.PrefWidth(nullptr, -11);
    const auto at = [&](int index) { return CLPoint{left + (2 * index + 1) * width / 10, 20}; };
    EXPECT_DOUBLE_EQ(field.WheelStepAt(at(0)), 10);
    EXPECT_DOUBLE_EQ(field.WheelStepAt(at(3)), 0.1);
    EXPECT_DOUBLE_EQ(field.WheelStepAt(at(4)), 0.01);
}

TEST_F(CNumVolTest, TypedNumbersAreCutLimitedAndFixedOnReturn)
{
    CNumVol& field = Make(1u, 0u);
    Focus();
    Type("1.2.");                                     // a second point is cut off
    EXPECT_EQ(std::string(field.GetText().View()), "1.2");
    Type("x");                                        // the filter drops letters
    EXPECT_EQ(std::string(field.GetText().View()), "1.2");
    Type("3");
    EXPECT_EQ(std::string(field.GetText().View()), "1.23");
    field.SelectAll();
    field.Editor()->Field()->CurrentEditor()->Paste("1.2.3");
    EXPECT_EQ(std::string(field.GetText().View()), "1.2");
    field.SelectAll();
    Type("500");
    Key("\r", 0);
    EXPECT_EQ(host.Count(CNumVol::msgFix), 1);
    EXPECT_EQ(std::string(field.GetText().View()), "100.0");
    field.SelectAll();
    Type("-");
    Key("\r", 0);
    EXPECT_EQ(std::string(field.GetText().View()), "0.0");
    field.SelectAll();
    Type("--5");                                      // the second '-' is cut off
    EXPECT_EQ(std::string(field.GetText().View()), "-5");
}

TEST_F(CNumVolTest, LosingTheFocusAfterAnEditFixesTheValue)
{
    CNumVol& field = Make(0u, 0u);
    Focus();
    Type("250");
    field.SetState(kEventUnfocus);
    EXPECT_EQ(host.Count(LNumEdit::msgEnter), 1);
    EXPECT_EQ(host.Count(CNumVol::msgFix), 1);
    EXPECT_EQ(std::string(field.GetText().View()), "100");
}

TEST_F(CNumVolTest, NoteFieldShowsAndReadsNoteNames)
{
    CNoteEdit& field = Make<CNoteEdit>(0u);
    EXPECT_EQ(std::string(field.GetText().View()), "C 4");
    EXPECT_EQ(field.GetValue(), 60);
    Focus();
    Type("c#3");
    EXPECT_EQ(std::string(field.GetText().View()), "c#3");
    Key("\r", 0);
    EXPECT_EQ(field.GetValue(), 49);
    EXPECT_EQ(std::string(field.GetText().View()), "C#3");
    field.SetValue(1000);
    EXPECT_EQ(std::string(field.GetText().View()), "G 9");
    field.SetValue(-5);
    EXPECT_EQ(std::string(field.GetText().View()), "C -1");
    EXPECT_GT(field.PrefWidth(nullptr, 0), 4 * field.MeasureTextWidth(nullptr, "M"));
}
