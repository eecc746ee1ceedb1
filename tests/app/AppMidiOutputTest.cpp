// MIDI Output… answered with OK when no destination can be connected: the message that follows
// tells why MIDI output stays off.
#include "analysis/records/CAppPrefs.h"
#include "outputs/midi/CMIDIOutPort.h"
#include "outputs/midi/CMacMIDIOutputDialog.h"
#include "platform/midi/MidiSystem.h"
#include "tests/app/AppRunKit.h"
#include "ui/dialogs/CSimpleMessageDialog.h"

#include <string>
#include <vector>

namespace {

constexpr uint8_t kMidiParamsField = 2; // the preferences' MIDI settings

class MidiOutput : public AppRunTest {
protected:
    void SetUp() override
    {
        AppRunTest::SetUp();
        Start();
    }
};

TEST_F(MidiOutput, OkWithoutADestinationSaysWhyMidiStaysOff)
{
    if (plat::MidiSystem::Shared().Destination(0))
        GTEST_SKIP() << "this machine offers MIDI destinations";
    const struct {
        const char* stored; // the destination chosen in an earlier session
        const char* message;
    } cases[] = {
        {"", "There is no MIDI destination to send to, so MIDI output stays off."},
        {"Gone Synth", "The MIDI destination chosen earlier is not available. Choose another one in the MIDI output "
                       "settings."},
    };
    for (const auto& c : cases) {
        LObject* params = CApp::Get()->Prefs().Root()->GetChild(kMidiParamsField);
        ASSERT_NE(params, nullptr);
        SetComboIdParam(params, LStringRef(c.stored));
        std::vector<std::string> seen;
        user.PlayWhenIdle({[&] {
                               seen.push_back(KeyDialog<CMacMIDIOutputDialog>() ? "midi" : "other");
                               PressReturn();
                           },
                           [&] {
                               auto* box = KeyDialog<CSimpleMessageDialog>();
                               seen.push_back(box ? std::string(box->Message().Text().View()) : "no message");
                               PressReturn();
                           }});
        Choose("CAppCmd_MidiUse");
        EXPECT_EQ(seen, (std::vector<std::string>{"midi", c.message})) << c.stored;
    }
}

} // namespace
