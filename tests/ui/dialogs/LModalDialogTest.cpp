#include "tests/ui/panes/PaneTestKit.h"
#include "controls/std/LStdButton.h"
#include "foundation/input/LKeyboard.h"
#include "platform/window/Window.h"
#include "platform/window/WindowTestDriver.h"
#include "shell/windows/CDesktop.h"
#include "shell/windows/CNativeWindowKind.h"
#include "shell/windows/WindowNumberCache.h"
#include "ui/dialogs/LModalDialog.h"
#include "ui/windows/LWindow.h"
#include "ui/windows/LWindowDef.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

LStdCtlDesc ButtonDesc()
{
    LStdCtlDesc desc;
    desc.InitNew(0, LFont(0));
    return desc;
}

// Stands in for the main loop at the top of the dialog's chain: every modal step runs the next
// scripted action, and gives up after a bounded number of steps so that a dialog that never
// ends fails instead of hanging. Other messages are recorded and, as at the top of every chain,
// handed back to their subject.
class ModalLoop : public ConsumingRecorder {
public:
    void HandleMessage(LMessage& result, const LMessage& msg) override
    {
        if (StrEqual(msg.type, LModalDialog::msgMode)) {
            ++steps;
            auto* dialog = static_cast<LModalDialog*>(msg.subject);
            if (steps > 20)
                dialog->SetResult(99);
            else if (step)
                step(*dialog);
            LMessage::Clear(result);
            return;
        }
        seen.push_back({msg.type ? msg.type : "", msg.subject});
        LHandler::HandleMessage(result, msg);
    }
    std::function<void(LModalDialog&)> step;
    int steps = 0;
};

struct ModalDialog : ::testing::Test {
    ModalLoop loop;
    LModalDialog dialog{&loop, nullptr};
    LStdButton ok{&dialog, ButtonDesc()};
    LStdButton cancel{&dialog, ButtonDesc()};
    LKeyboard keyboard;

    void SetUp() override
    {
        dialog.SetState(kEventHostShow);
        dialog.SetState(kEventActivate);
        dialog.SetDefaultButton(&ok);
        dialog.SetCancelButton(&cancel);
    }
    // A key press as the window bridge delivers it: to the dialog's focus target.
    void Press(uint8_t character)
    {
        keyboard.character = character;
        LMessage::Send(LMessage(LKeyboard::msgDown, &keyboard, dialog.FocusTarget()));
    }
};

TEST_F(ModalDialog, ReturnEscapeAndButtonsPressedByMouseEndTheModalRun)
{
    int presses = 0;
    loop.step = [&](LModalDialog&) { if (++presses == 3) Press(13); };
    EXPECT_EQ(dialog.RunModal(), 1u);
    EXPECT_EQ(loop.steps, 3) << "empty steps go on";

    for (const auto& [key, result] : {std::pair(uint8_t(27), 2u), {uint8_t(3), 1u}}) {  // Enter works like Return
        loop.step = [&](LModalDialog&) { Press(key); };
        EXPECT_EQ(dialog.RunModal(), result) << int(key);
    }
    // Buttons pressed by mouse give the same results.
    for (const auto& [button, result] : {std::pair(&cancel, 2u), {&ok, 1u}}) {
        loop.step = [&](LModalDialog&) { LMessage::Send(LMessage(LDialog::msgSelected, button, &dialog)); };
        EXPECT_EQ(dialog.ModalStep(100), result);
    }
    loop.step = nullptr;
    EXPECT_EQ(dialog.ModalStep(100), 0u) << "the result is reset at every step";
}

TEST_F(ModalDialog, InactiveOrMissingButtonsLetTheKeyPassAndOnlyTheOwnTimerTurnsTheStep)
{
    ok.SetState(kEventDisable);
    loop.seen.clear();
    Press(13);
    EXPECT_EQ(loop.Count(LKeyboard::msgDown), 1) << "a disabled default button does not take Return";
    EXPECT_EQ(dialog.ModalStep(1), 0u);

    dialog.SetCancelButton(nullptr);
    Press(27);
    EXPECT_EQ(loop.Count(LKeyboard::msgDown), 2) << "no cancel button: Escape passes on";
    Press('a');
    EXPECT_EQ(loop.Count(LKeyboard::msgDown), 3);
    loop.step = [&](LModalDialog& d) {
        LTimer other(&d);
        LMessage result;
        d.HandleMessage(result, LMessage(LTimer::msgExpire, &other, &d));
        EXPECT_FALSE(result.IsConsumed()) << "a foreign timer is not the dialog's";
        d.SetResult(7);
    };
    EXPECT_EQ(dialog.ModalStep(50), 7u);
    EXPECT_EQ(dialog.RunModal(), 7u) << "a subclass's own result ends the run";
}

TEST(LDialog, ResultMessagesClimbFromAPlainDialog)
{
    ConsumingRecorder top;
    LDialog dialog(&top, nullptr);
    LStdButton ok(&dialog, ButtonDesc());
    dialog.SetDefaultButton(&ok);
    EXPECT_TRUE(ok.IsDefault());
    LStdButton next(&dialog, ButtonDesc());
    dialog.SetDefaultButton(&next);
    EXPECT_FALSE(ok.IsDefault()) << "the default mark moves";
    dialog.SetDefaultButton(&ok);
    LMessage::Send(LMessage(LDialog::msgSelected, &ok, &dialog));
    ASSERT_EQ(top.Count(LDialog::msgDefault), 1);
    LPane other(&dialog, &dialog);
    LMessage::Send(LMessage(LDialog::msgSelected, &other, &dialog));
    EXPECT_EQ(top.Count(LDialog::msgSelected), 1) << "another control's press passes on";
    EXPECT_EQ(top.Count(LDialog::msgEscape), 0);
}

class ModalWindowDialog : public ::testing::Test {
protected:
    ModalWindowDialog() { WindowNumberCache::MarkStale(); }
    ~ModalWindowDialog() override { WindowNumberCache::MarkStale(); }

    plat::WindowTestDriver fDriver;
    CDesktop fDesktop;
    LKeyboard fKeyboard;
    LRef fKind{new CNativeWindowKind(99)};
    ModalLoop fLoop;
};

TEST_F(ModalWindowDialog, StepShowsTheWindowAndTheCloseBoxPressesCancel)
{
    LModalDialog dialog(&fLoop, nullptr,
                        LWindowDef(LWindowDef::kLayerModal, static_cast<CNativeWindowKind*>(fKind.Get())));
    ASSERT_NE(dialog.Window(), nullptr);
    ASSERT_TRUE(dialog.Background());
    EXPECT_EQ(dialog.Background()->colorId, 2) << "the modal dialog background";
    dialog.SetWindowContentRect({200, 200, 500, 350});
    LStdButton ok(&dialog, ButtonDesc());
    LStdButton cancel(&dialog, ButtonDesc());
    dialog.SetDefaultButton(&ok);
    dialog.SetCancelButton(&cancel);

    fLoop.step = [&](LModalDialog& d) { fDriver.CloseByUser(*d.Window()->Native()); };
    EXPECT_EQ(dialog.ModalStep(100), 2u) << "closing selects cancel";
    EXPECT_TRUE(dialog.Window()->IsVisible()) << "the step showed the window";

    cancel.SetState(kEventDisable);
    EXPECT_EQ(dialog.ModalStep(100), 0u) << "a disabled cancel button swallows the close";
    EXPECT_TRUE(dialog.Window()->IsVisible());

    dialog.SetCancelButton(nullptr);
    EXPECT_EQ(dialog.ModalStep(100), 1u) << "without cancel button the default one is pressed";
}

TEST_F(ModalWindowDialog, OrdinaryDialogsTakeTheWindowBackground)
{
    LDialog dialog(&fLoop, nullptr, LWindowDef(LWindowDef::kLayerDocument, static_cast<CNativeWindowKind*>(fKind.Get())));
    ASSERT_TRUE(dialog.Background());
    EXPECT_EQ(dialog.Background()->colorId, 1);
    LDialog nested(&fLoop, nullptr);
    EXPECT_FALSE(nested.Background());
}

} // namespace

