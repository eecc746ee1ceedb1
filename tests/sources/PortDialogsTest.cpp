#include "sources/ports/CIPPORTDIALOG.h"
#include "sources/ports/CSIMPLETCPSERVERDIALOG.h"
#include "sources/ports/CSerPortDlg.h"
#include "sources/ports/CSerialPortList.h"
#include "tests/controls/DialogAnswerKit.h"
#include "platform/controls/Control.h"
#include "ui/panes/LPaneFlags.h"

#include <deque>

namespace {

// A device list of fixed names.
class FixedPorts : public CSerialPortList {
public:
    explicit FixedPorts(std::deque<std::string> names) : fNames(std::move(names)) {}
    bool Next() override
    {
        if (fNames.empty()) {
            fCurrent.clear();
            return false;
        }
        fCurrent = fNames.front();
        fNames.pop_front();
        return true;
    }
    LStringRef Name() const override { return fCurrent.c_str(); }

private:
    std::deque<std::string> fNames;
    std::string fCurrent;
};

using PortDialogs = DialogAnswerTest;

} // namespace

TEST_F(PortDialogs, SerialDialogListsTheDevicesSelectsByNameAndAnswersWithoutAny)
{
    FixedPorts ports({"usbserial-A1", "usbmodem-7"});
    CSerPortDlg dialog(app.get(), &ports);
    ASSERT_EQ(dialog.Popup().GetItemCount(), 2);
    EXPECT_EQ(dialog.SelectedName(), "usbserial-A1");
    dialog.Popup().InsertItem("Analyser", 0);
    dialog.SelectPort("usbmodem-7");
    EXPECT_EQ(dialog.SelectedName(), "usbmodem-7");
    dialog.SelectPort("gone");
    EXPECT_EQ(dialog.SelectedName(), "Analyser") << "no match selects the first item";

    Answer("", true);
    EXPECT_TRUE(dialog.Run());
    Answer("", false);
    EXPECT_FALSE(dialog.Run());

    FixedPorts none({});
    CSerPortDlg empty(app.get(), &none);
    EXPECT_EQ(empty.Popup().GetItemCount(), 0);
    Answer("", true);
    EXPECT_TRUE(empty.Run()) << "without devices the dialog still answers OK";
    EXPECT_EQ(empty.SelectedName(), "") << "the caller receives an empty name";
}

TEST_F(PortDialogs, AddressDialogEnablesOkOnlyWithText)
{
    CIPPORTDIALOG dialog(app.get(), true, LStringRef());
    EXPECT_EQ(std::string(dialog.Example().Text().View()), "Address and port, for example 192.168.0.10:61000");
    EXPECT_FALSE(dialog.OkButton().HasFlags(kPaneEnabled)) << "an empty field disables OK";

    Answer("1", false);
    EXPECT_EQ(dialog.RunModal(), LModalDialog::kEscape);
    EXPECT_EQ(std::string(dialog.Address().View()), "1");
    EXPECT_TRUE(dialog.OkButton().HasFlags(kPaneEnabled)) << "one character typed enables OK";

    dialog.SetAddress("");
    EXPECT_FALSE(dialog.OkButton().HasFlags(kPaneEnabled));
    dialog.SetAddress("10.0.0.2:5000");
    Answer("", true);
    EXPECT_EQ(dialog.RunModal(), LModalDialog::kDefault);
    EXPECT_EQ(std::string(dialog.Address().View()), "10.0.0.2:5000");

    CIPPORTDIALOG plain(app.get(), false, "10.1.1.1");
    EXPECT_EQ(std::string(plain.Example().Text().View()), "For example 10.1.1.1");
}

TEST_F(PortDialogs, ServerDialogEndsTheStepWhenTheBoxChanges)
{
    CSIMPLETCPSERVERDIALOG dialog(app.get());
    dialog.Port().SetValue(51000);
    EXPECT_EQ(dialog.Port().GetValue(), 51000);
    dialog.Port().SetValue(80);
    EXPECT_EQ(dialog.Port().GetValue(), 1024) << "ports below 1024 are not offered";
    dialog.Port().SetValue(70000);
    EXPECT_EQ(dialog.Port().GetValue(), 65535);

    app->modalSteps = 0;
    app->onModalStep = [this, &dialog](LModalDialog&) {
        dialog.EnableBox().SetChecked(true);
        LMessage::Send(LMessage(LStdCheck::msgChange, &dialog.EnableBox(), &dialog));
        Nudge(1);  // as the click's own event would, wakes the step's wait
    };
    EXPECT_EQ(dialog.ModalStep(100), CSIMPLETCPSERVERDIALOG::kChanged);
    EXPECT_FALSE(dialog.Port().HasFlags(kPaneEnabled)) << "the port is fixed while the server runs";

    dialog.SetEnabled(false);  // the port was in use: the server did not start
    EXPECT_FALSE(dialog.IsEnabled());
    EXPECT_TRUE(dialog.Port().HasFlags(kPaneEnabled));

    Answer("", false);
    EXPECT_EQ(dialog.RunModal(), LModalDialog::kDefault) << "Escape presses OK, the only button";
}

TEST_F(PortDialogs, TabReachesTheServerBoxAndOkAndSpacePressesThem)
{
    CSIMPLETCPSERVERDIALOG dialog(app.get());
    std::vector<std::string> focus;
    auto look = [&] {
        const LPane* target = dialog.FocusTarget();
        focus.push_back(target == &dialog.Port() ? "port" : target == &dialog.EnableBox() ? "box"
                        : target == &dialog.OkButton()                                 ? "ok"
                                                                                       : "other");
        if (const plat::Control* box = dialog.EnableBox().NativeControl(); box && box->ShowsFocus())
            focus.back() += "(ring)";
    };
    const Part tab = Key("\t", 48), shiftTab = Key("\t", 48, plat::kModShift), space = Key(" ", 49);
    PlayKeys({Look(look), tab, Look(look), space});
    EXPECT_EQ(StepUntilDone(dialog), int32_t(CSIMPLETCPSERVERDIALOG::kChanged)) << "Space toggled the box";
    EXPECT_TRUE(dialog.IsEnabled());
    EXPECT_EQ(focus, (std::vector<std::string>{"port", "box(ring)"})) << "a field takes the first focus";

    dialog.SetEnabled(false);  // the server did not start: the port can be edited again
    focus.clear();
    PlayKeys({shiftTab, Look(look), tab, tab, Look(look), space});
    EXPECT_EQ(dialog.RunModal(), LModalDialog::kDefault) << "Space on OK pressed it";
    EXPECT_EQ(focus, (std::vector<std::string>{"port", "ok"}));
}
