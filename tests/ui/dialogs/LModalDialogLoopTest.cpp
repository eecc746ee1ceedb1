#include "tests/shell/mainloop/MainLoopKit.h"
#include "controls/std/LStdButton.h"
#include "platform/window/Window.h"
#include "ui/dialogs/LModalDialog.h"
#include "ui/windows/LWindowDef.h"

namespace {

using ModalDialogInLoop = MainLoopTest;

// Hands a dialog's modal-step request to the main loop's modal step.
struct ModeBridge : LHandler {
    explicit ModeBridge(CMainLoopBase* loop) : LHandler(loop), fLoop(loop) {}
    void HandleMessage(LMessage& result, const LMessage& msg) override
    {
        if (StrEqual(msg.type, LModalDialog::msgMode)) {
            fLoop->ModalStep(msg.subject);
            LMessage::Clear(result);
            return;
        }
        LHandler::HandleMessage(result, msg);
    }
    CMainLoopBase* fLoop;
};

// A modal dialog under the real main loop: its steps run the loop's modal event step, and
// the keys the user types end the run.
TEST_F(ModalDialogInLoop, ReturnTypedDuringAStepEndsTheRunWithTheDefault)
{
    LRef kind(new CNativeWindowKind(1));
    ModeBridge bridge(loop.get());
    LModalDialog dialog(&bridge, nullptr, LWindowDef(LWindowDef::kLayerModal, static_cast<CNativeWindowKind*>(kind.Get())));
    dialog.SetWindowContentRect({300, 200, 600, 350});
    LStdCtlDesc desc;
    desc.InitNew(0, LFont(0));
    LStdButton ok(&dialog, desc);
    ok.SetRect({200, 110, 280, 130});
    LStdButton cancel(&dialog, desc);
    cancel.SetRect({110, 110, 190, 130});
    dialog.SetDefaultButton(&ok);
    dialog.SetCancelButton(&cancel);

    dialog.ShowWindow();
    ASSERT_EQ(fDriver.KeyWindow(), dialog.Window()->Native());
    fDriver.PostKey(plat::EventType::KeyDown, "\x1b", 53);
    EXPECT_EQ(dialog.ModalStep(1000), 2u);
    EXPECT_TRUE(dialog.Window()->IsVisible());
    EXPECT_EQ(loop->ModalDepth(), 0u) << "the step is over";
    EXPECT_TRUE(ok.IsFullyActive());

    fDriver.PostKey(plat::EventType::KeyDown, "\r", 36);
    EXPECT_EQ(dialog.ModalStep(1000), 1u);
}

} // namespace
