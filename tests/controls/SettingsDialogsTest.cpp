#include "controls/settings/CFqIntvDlg.h"
#include "controls/settings/CMenuKeyDlg.h"
#include "controls/settings/CSimpleProgressDialog.h"
#include "controls/settings/CSpecSaveDlg.h"
#include "controls/settings/CSplRtDlg.h"
#include "tests/controls/DialogAnswerKit.h"
#include "ui/dialogs/DialogLayout.h"
#include "ui/windows/LWindow.h"

namespace {

class SettingsDialogs : public DialogAnswerTest {
protected:
    std::string Text(const LCaptionPane& caption) const { return std::string(caption.Text().View()); }
    // The key pressed and released at the dialog's first step, then Return.
    void PressKeyThenReturn(const char* characters, uint16_t code, uint32_t modifiers)
    {
        app->modalSteps = 0;
        app->onModalStep = [=, this](LModalDialog&) {
            if (app->modalSteps != 1) {
                Nudge(100);
                return;
            }
            fDriver.PostKey(plat::EventType::KeyDown, characters, code, modifiers);
            fDriver.PostKey(plat::EventType::KeyUp, characters, code, modifiers);
            PressReturn();
        };
    }
};

} // namespace

TEST_F(SettingsDialogs, TheBandWidthTypedIsReadAfterReturnAndEscapeCancels)
{
    CFqIntvDlg dialog(app.get());
    EXPECT_EQ(dialog.Field().GetValue(), 10);
    EXPECT_EQ(dialog.Window()->Native()->Title(), "Frequency Interval");
    EXPECT_GT(dialog.Rect().Width(), 0) << "placed by its layout";

    Answer("250", true);
    EXPECT_EQ(dialog.RunModal(), LModalDialog::kDefault);
    EXPECT_EQ(dialog.Field().GetValue(), 250);

    Answer("", false);
    EXPECT_EQ(dialog.RunModal(), LModalDialog::kEscape);
}

TEST_F(SettingsDialogs, BandWidthStaysInsideItsLimits)
{
    CFqIntvDlg dialog(app.get());
    dialog.Field().SetValue(0);
    EXPECT_EQ(dialog.Field().GetValue(), 1);
    dialog.Field().SetValue(25000);
    EXPECT_EQ(dialog.Field().GetValue(), 20000);
    EXPECT_FALSE(dialog.Field().StepBy(1)) << "no step past the maximum";
}

TEST_F(SettingsDialogs, SampleRateTextShowsTheProductWithOneDecimal)
{
    CSplRtDlg dialog(app.get());
    EXPECT_EQ(Text(dialog.ResultCaption()), "(40Hz)");
    dialog.Rate().SetValue(2000);
    dialog.Ratio().SetValue(1.0);
    dialog.UpdateRateText();
    EXPECT_EQ(Text(dialog.ResultCaption()), "(2000Hz)");
    dialog.Rate().SetValue(1);
    dialog.Ratio().SetValue(0.1);
    dialog.UpdateRateText();
    EXPECT_EQ(Text(dialog.ResultCaption()), "(0.1Hz)");
    dialog.Rate().SetValue(5000);
    dialog.Ratio().SetValue(0.01);
    dialog.UpdateRateText();
    EXPECT_EQ(Text(dialog.ResultCaption()), "(200Hz)") << "both fields limited: 2000 x 0.1";

    LMessage::Send(LMessage(LStdCtl::msgSelected, &dialog.ResetButton(), &dialog));
    EXPECT_FLOAT_EQ(float(dialog.Ratio().GetValue()), 0.3333f) << "back to one third, shown with 4 decimals";
    EXPECT_EQ(Text(dialog.ResultCaption()), "(666.6Hz)");
}

TEST_F(SettingsDialogs, RowIntervalFollowsTheFrameTimeWhileRowsFollowAnalyses)
{
    CSpecSaveDlg dialog(app.get());
    EXPECT_EQ(dialog.RowPerAnalysis().SelectedIndex(), 0);
    EXPECT_FALSE(dialog.Interval().HasFlags(kPaneEnabled));
    EXPECT_DOUBLE_EQ(dialog.Interval().GetValue(), 1.0);

    dialog.SetValue(0.25f);
    EXPECT_DOUBLE_EQ(dialog.Interval().GetValue(), 0.25) << "a new frame time reaches the disabled field";

    dialog.RowPerInterval().SelectIndex(0);
    LMessage::Send(LMessage(LStdCheck::msgChange, &dialog.RowPerInterval(), &dialog));
    EXPECT_TRUE(dialog.Interval().HasFlags(kPaneEnabled));
    dialog.Interval().SetValue(5);
    dialog.SetValue(0.5f);
    EXPECT_DOUBLE_EQ(dialog.Interval().GetValue(), 5.0) << "an enabled field keeps the user's interval";

    dialog.Interval().SetValue(1000);
    EXPECT_DOUBLE_EQ(dialog.Interval().GetValue(), 999.99);
    dialog.Length().SetValue(0);
    EXPECT_DOUBLE_EQ(dialog.Length().GetValue(), 0.01);

    Answer("", true);
    EXPECT_EQ(dialog.RunModal(), LModalDialog::kDefault);
}

TEST_F(SettingsDialogs, ProgressBusyTextAndMessageFitting)
{
    EXPECT_EQ(CSimpleProgressDialog::BusyText(0), ">---");
    EXPECT_EQ(CSimpleProgressDialog::BusyText(1), "->--");
    EXPECT_EQ(CSimpleProgressDialog::BusyText(3), "--->");

    CSimpleProgressDialog dialog(app.get());
    EXPECT_FALSE(dialog.Busy().IsShown());
    dialog.SetMessage("Exporting");
    const int32_t shortWidth = dialog.Rect().Width();
    EXPECT_GT(shortWidth, 0);
    dialog.SetMessage("Exporting the spectra of a long recording of the sound input to a comma-separated file in the documents folder");
    EXPECT_GT(dialog.Rect().Width(), shortWidth) << "the window grows with the message";
    EXPECT_EQ(dialog.Button().GetTitle(), "Stop");

    Answer("", false);
    EXPECT_EQ(dialog.RunModal(), LModalDialog::kDefault) << "Escape presses the one button";
}

TEST_F(SettingsDialogs, TheShortcutDialogTakesThePrintableKeyPressed)
{
    CMenuKeyDlg dialog(app.get());
    PressKeyThenReturn("k", 40, plat::kModCommand | plat::kModShift);
    EXPECT_EQ(dialog.RunModal(), LModalDialog::kDefault) << "Return still presses OK";
    EXPECT_EQ(std::string(dialog.KeyText().View()), "sK");
    EXPECT_FALSE(dialog.KeyDisplay().Text().IsEmpty());

    Answer("", false);
    EXPECT_EQ(dialog.RunModal(), LModalDialog::kEscape);
}

TEST_F(SettingsDialogs, TheShortcutDialogShowsTheLongestKeyWhole)
{
    CMenuKeyDlg dialog(app.get());
    PressKeyThenReturn("W", 13, plat::kModCommand | plat::kModOption | plat::kModControl | plat::kModShift);
    EXPECT_EQ(dialog.RunModal(), LModalDialog::kDefault);
    auto& shown = const_cast<LCaptionPane&>(dialog.KeyDisplay());
    EXPECT_EQ(Text(shown), "Ctrl+Alt+Shift+Super+W");
    EXPECT_LE(shown.PrefWidth(nullptr, 0), shown.Rect().Width());
}

TEST_F(SettingsDialogs, ADialogIsWideEnoughForItsWholeTitle)
{
    const int32_t titled = TitleBarWidth("Frequency Interval");
    EXPECT_GT(titled, TitleBarWidth("Frequency")) << "the room grows with the title";
    CFqIntvDlg interval(app.get());
    EXPECT_GE(interval.Rect().Width(), titled);
    EXPECT_EQ(interval.DefaultButton()->Rect().right, interval.Rect().Width() - 20) << "the buttons follow the wider window";
    EXPECT_EQ(TitleBarWidth(""), 0);
}
