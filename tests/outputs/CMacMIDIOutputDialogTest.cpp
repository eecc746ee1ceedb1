// The MIDI output dialog lists the destinations by display name, runs modally with the
// user's keys and keeps the chosen name in its parameter set.
#include "outputs/midi/CMacMIDIOutputDialog.h"

#include "outputs/midi/CMIDIOutPort.h"
#include "platform/midi/MidiSystem.h"
#include "tests/shell/app/AppBaseKit.h"
#include "ui/windows/LWindow.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class MidiOutputDialog : public AppBaseTest {
protected:
    // Destinations the system had before the test added its own.
    size_t Existing()
    {
        size_t n = 0;
        while (fSystem.Destination(n))
            ++n;
        return n;
    }
    void AddBoxPorts()
    {
        fExisting = Existing();
        fSystem.AddVirtualDestination({true, "Box", "Out", "Port 1"});
        fSystem.AddVirtualDestination({true, "Box", "", "Port 2"});
        fSystem.AddVirtualDestination({false, "", "", "Soft Synth"});
    }
    std::vector<std::string> Items(const CMacMIDIOutputDialog& dialog) const
    {
        std::vector<std::string> items;
        for (int32_t i = static_cast<int32_t>(fExisting); i < dialog.Destinations().GetItemCount(); ++i)
            items.push_back(dialog.Destinations().GetItemText(i));
        return items;
    }
    void AnswerWith(void (AppBaseTest::*press)())
    {
        app->onModalStep = [this, press](LModalDialog&) {
            if (app->modalSteps == 1)
                (this->*press)();
            else
                Nudge(100);
        };
    }

    plat::MidiSystem fSystem;
    size_t fExisting = 0;
};

} // namespace

TEST_F(MidiOutputDialog, ListsTheDestinationsByDisplayNameWithTheResourceTexts)
{
    AddBoxPorts();
    CMacMIDIOutputDialog dialog(app.get(), fSystem);
    EXPECT_EQ(Items(dialog), (std::vector<std::string>{"Box Out Port 1", "Box Port 2", "Soft Synth"}));
    EXPECT_EQ(dialog.Destinations().GetSelection(), 0);
    EXPECT_TRUE(dialog.Destinations().IsEnabledAndShown());
    EXPECT_EQ(dialog.Window()->Native()->Title(), "MIDI Output");
    EXPECT_EQ(dialog.OkButton().GetTitle(), "OK");
    EXPECT_EQ(dialog.CancelButton().GetTitle(), "Cancel");

    dialog.SelectByName("Box Port 2");
    EXPECT_EQ(dialog.GetSelectedName(), "Box Port 2");
    dialog.SelectByName("Nowhere");  // unknown names leave the choice alone
    EXPECT_EQ(dialog.GetSelectedName(), "Box Port 2");

    // The layout puts the pop-up right of its label and the buttons below both.
    dialog.FitWindowToLayout();
    const CLRect list = dialog.Destinations().Rect();
    const CLRect ok = dialog.OkButton().Rect();
    const CLRect cancel = dialog.CancelButton().Rect();
    EXPECT_EQ(list.right, dialog.Rect().right - 20);
    EXPECT_GT(list.Width(), 0);
    const CLRect label = dialog.Label().Rect();
    EXPECT_GT(label.Width(), 40) << "the label \"Destination:\" has no room";
    EXPECT_EQ(label.left, dialog.Rect().left + 20);
    EXPECT_LE(label.right, list.left);
    EXPECT_GE(ok.top, list.bottom + 12);
    EXPECT_EQ(ok.right, dialog.Rect().right - 20);
    EXPECT_EQ(cancel.right, ok.left - 12);
}

TEST_F(MidiOutputDialog, WithoutDestinationsThePopUpSaysSoIsDisabledAndOkStoresNothing)
{
    CMacMIDIOutputDialog dialog(app.get(), fSystem);
    if (Existing() > 0)
        GTEST_FAIL() << "this machine has system MIDI destinations; the test needs none";
    // The disabled list says plainly that there is nothing to choose.
    ASSERT_EQ(dialog.Destinations().GetItemCount(), 1);
    EXPECT_EQ(dialog.Destinations().GetItemText(0), "No MIDI destinations found");
    EXPECT_FALSE(dialog.HasDestinations());
    EXPECT_FALSE(dialog.Destinations().IsEnabledAndShown());
    EXPECT_EQ(dialog.GetSelectedName(), "");
    AnswerWith(&AppBaseTest::PressReturn);
    EXPECT_EQ(dialog.Run(), LModalDialog::kDefault);
    LStringRef chosen;
    EXPECT_FALSE(FindComboIdParam(dialog.Params(), chosen));
}

TEST_F(MidiOutputDialog, ReturnKeepsTheChoiceAndEscapeLeavesTheStoredName)
{
    AddBoxPorts();
    CMacMIDIOutputDialog dialog(app.get(), fSystem);
    SetComboIdParam(dialog.Params(), LStringRef("Soft Synth"));
    AnswerWith(&AppBaseTest::PressReturn);
    EXPECT_EQ(dialog.Run(), LModalDialog::kDefault);
    EXPECT_EQ(dialog.GetSelectedName(), "Soft Synth") << "the stored name is preselected";
    LStringRef chosen;
    ASSERT_TRUE(FindComboIdParam(dialog.Params(), chosen));
    EXPECT_EQ(std::string(chosen.View()), "Soft Synth");

    dialog.SelectByName("Box Out Port 1");
    SetComboIdParam(dialog.Params(), LStringRef("Gone Device"));
    app->modalSteps = 0;
    AnswerWith(&AppBaseTest::PressEscape);
    EXPECT_EQ(dialog.Run(), LModalDialog::kEscape);
    ASSERT_TRUE(FindComboIdParam(dialog.Params(), chosen));
    EXPECT_EQ(std::string(chosen.View()), "Gone Device");

    // A name no destination has keeps the current item; OK stores that one.
    app->modalSteps = 0;
    AnswerWith(&AppBaseTest::PressReturn);
    EXPECT_EQ(dialog.Run(), LModalDialog::kDefault);
    ASSERT_TRUE(FindComboIdParam(dialog.Params(), chosen));
    EXPECT_EQ(std::string(chosen.View()), "Box Out Port 1");
}
