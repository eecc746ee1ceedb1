#include "tests/shell/app/AppBaseKit.h"
#include "shell/windows/CDesktop.h"
#include "ui/dialogs/CSaveChangesDialog.h"
#include "ui/dialogs/CSimpleMessageDialog.h"
#include "ui/dialogs/DialogResources.h"
#include "ui/windows/LWindow.h"

namespace {

class MessageBoxes : public AppBaseTest {
protected:
    // Presses the key at the first modal step, when the box is on screen and key.
    void AnswerWith(void (MessageBoxes::*press)())
    {
        app->onModalStep = [this, press](LModalDialog& dialog) {
            if (app->modalSteps == 1) {
                EXPECT_TRUE(dialog.Window() && dialog.Window()->Native() && dialog.Window()->Native()->IsVisible());
                (this->*press)();
            } else {
                Nudge(100);
            }
        };
    }
};

TEST_F(MessageBoxes, ReturnAndEscapeAnswerWithOkUnlessThereIsACancelButton)
{
    CSimpleMessageDialog box(app.get(), nullptr, ModalWindowDef(3));
    EXPECT_EQ(std::pair(box.OkButton().GetTitle(), box.CancelButton().GetTitle()), std::pair(std::string("OK"), std::string("Cancel")));
    EXPECT_EQ(box.Window()->Native()->Title(), "Sonalyx");
    EXPECT_FALSE(box.Icon().Image().IsNull()) << "the program's icon";
    const struct {
        bool cancel;
        void (MessageBoxes::*press)();
        bool answer;
    } cases[] = {{false, &MessageBoxes::PressReturn, true}, {false, &MessageBoxes::PressEscape, true},
                 {true, &MessageBoxes::PressEscape, false}, {true, &MessageBoxes::PressReturn, true}};
    for (const auto& c : cases) {
        app->modalSteps = 0;
        AnswerWith(c.press);
        EXPECT_EQ(box.Run("The port is busy.", 0, c.cancel), c.answer) << c.cancel;  // without Cancel, OK cancels
        EXPECT_EQ(box.CancelButton().IsShown(), c.cancel);
        EXPECT_LT(app->modalSteps, RecordingAppBase::kMaxSteps);
    }
    EXPECT_EQ(box.Message().Text(), "The port is busy.");
}

TEST_F(MessageBoxes, TheLayoutPlacesTextRightOfTheIconAndButtonsBelow)
{
    CSimpleMessageDialog box(app.get(), nullptr, ModalWindowDef(3));
    AnswerWith(&MessageBoxes::PressReturn);
    ASSERT_TRUE(box.Run("A long message that has to wrap because it does not fit on one line of the box at all, "
                        "not even nearly, so it takes several lines.",
                        0, true));
    const CLRect icon = box.Icon().Rect(), text = box.Message().Rect();
    const CLRect ok = box.OkButton().Rect(), cancel = box.CancelButton().Rect();
    EXPECT_EQ(std::pair(icon.left, icon.top), std::pair(20, 20));
    EXPECT_EQ(text.left, icon.right + 20);
    EXPECT_LE(text.Width(), 360) << "a message wraps at the text box width";
    EXPECT_GT(text.Height(), 2 * 12) << "several lines";
    EXPECT_EQ(std::tuple(ok.right, cancel.right, ok.Width()), std::tuple(box.Rect().right - 20, ok.left - 12, cancel.Width()));
    EXPECT_GE(ok.top, text.bottom + 12);
}

TEST_F(MessageBoxes, ATimeOutClosesTheBoxAsOk)
{
    CSimpleMessageDialog box(app.get(), nullptr, ModalWindowDef(3));
    app->onModalStep = [this](LModalDialog&) { Nudge(400); };
    EXPECT_TRUE(box.Run("Closing soon", 2, true));
    EXPECT_GE(app->modalSteps, 2);
    EXPECT_LE(app->modalSteps, 5) << "about two seconds of steps";

    app->modalSteps = 0;
    app->onModalStep = [this](LModalDialog&) {
        Nudge(5000);
        if (app->modalSteps == 4)
            PressEscape();
    };
    EXPECT_FALSE(box.Run("No time-out", 0, true)) << "a time-out of 0 waits for a button";
    EXPECT_GE(app->modalSteps, 4);
}

class SaveChanges : public AppBaseTest {
protected:
    int32_t Ask(std::function<void()> answer, const char* name = "", uint32_t variant = 0)
    {
        CSaveChangesDialog question(app.get(), nullptr);
        question.SetDocumentName(name);
        app->onModalStep = [&](LModalDialog&) {
            if (app->modalSteps == 1)
                answer();
            Nudge(100);
        };
        const int32_t reply = question.Run(variant);
        message = question.Message().Text().Text();
        title = question.Window()->Native()->Title();
        app->modalSteps = 0;
        return reply;
    }
    std::string message;
    std::string title;
};

TEST_F(SaveChanges, ReturnSavesEscapeKeepsOpenThirdButtonDiscards)
{
    {
        CSaveChangesDialog question(app.get(), nullptr);
        EXPECT_EQ(std::tuple(question.Button(1).GetTitle(), question.Button(2).GetTitle(), question.Button(3).GetTitle()),
                  std::tuple(std::string("Save"), std::string("Cancel"), std::string("Don’t Save")));
        EXPECT_EQ(question.DefaultButton(), &question.Button(1));
        EXPECT_EQ(question.CancelButton(), &question.Button(2));
    }
    EXPECT_EQ(Ask([this] { PressReturn(); }), CSaveChangesDialog::kSave);
    EXPECT_EQ(Ask([this] { PressEscape(); }), CSaveChangesDialog::kKeepOpen);
    // The third button discards; the close box keeps the document open.
    for (const auto& [type, button, answer] : {std::tuple(LDialog::msgSelected, 3, CSaveChangesDialog::kDiscard),
                                               {"LWindow_Close", 0, CSaveChangesDialog::kKeepOpen}}) {
        CSaveChangesDialog question(app.get(), nullptr);
        app->modalSteps = 0;
        app->onModalStep = [&](LModalDialog&) {
            LHandler* subject = button ? static_cast<LHandler*>(const_cast<LStdButton*>(&question.Button(3)))
                                       : static_cast<LHandler*>(question.Window());
            LMessage::Send(LMessage(type, subject, &question));
            Nudge(0);
        };
        const int32_t reply = question.Run(0);
        EXPECT_EQ(std::pair(reply, question.Answer()), std::pair(int32_t(answer), int32_t(answer))) << type;
        EXPECT_EQ(app->modalSteps, 1);
    }
}

TEST_F(SaveChanges, TheQuestionNamesTheDocumentAndAQuitWithoutAskingEndsItAsIfCancelled)
{
    int steps = 0;
    const auto quit = [&] {
        ++steps;
        plat::Application::Shared().TerminateWithoutAsking();
    };
    EXPECT_EQ(Ask(quit), CSaveChangesDialog::kKeepOpen);
    EXPECT_EQ(Ask([&] { ++steps; }), CSaveChangesDialog::kKeepOpen) << "a question asked later ends at once";
    EXPECT_EQ(steps, 2) << "each question took one step";
    plat::Application::Shared().Reset();
    (void)Ask([this] { PressReturn(); }, "Stage.snx");
    EXPECT_EQ(message, "Do you want to save the changes made to the document “Stage.snx”?");
    EXPECT_FALSE(title.empty());
    EXPECT_EQ(title, "Sonalyx") << "the program's name as people read it, not its file's";
    (void)Ask([this] { PressReturn(); }, "", 1);
    EXPECT_EQ(message, "Do you want to save the changes made to the document “untitled” before quitting?");
}

} // namespace
