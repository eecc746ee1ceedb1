#include "analysis/records/CAppPrefs.h"
#include "controls/settings/CMenuKeyDlg.h"
#include "controls/settings/CMenuKeyTable.h"
#include "foundation/records/CParamSchema.h"
#include "foundation/records/CParamTable.h"
#include "foundation/records/LObject.h"
#include "outputs/midi/CMacMIDIOutputDialog.h"
#include "tests/app/AppRunKit.h"
#include "ui/dialogs/CSimpleMessageDialog.h"

#include <functional>
#include <vector>

namespace {

constexpr const char* kMidiItem = "MIDI Output…";
constexpr uint32_t kCommandShift = plat::kCommandKeyMask | plat::kShiftKeyMask;

// The user gives menu items shortcuts of their own through Assign Menu Shortcut.
class Shortcuts : public AppRunTest {
protected:
    void SetUp() override
    {
        AppRunTest::SetUp();
        Start();
    }
    // Chooses Assign Menu Shortcut, then the item the shortcut is for.
    bool AssignTo(const std::string& title)
    {
        return plat::MenuDriver::Choose({AppMenu(), "Assign Menu Shortcut…"}) &&
               plat::MenuDriver::Choose({AppMenu(), title});
    }
    static std::string KeyOf(const char* command) { return std::string(ReadyItem(command)->keyText.View()); }
    // The user's actions while the program waits, each noting the dialog in front first; a
    // dialog the test did not expect is answered with Escape and noted as "extra", so that it
    // fails the test instead of hanging.
    void Play(std::vector<std::function<void()>> actions)
    {
        for (int i = 0; i < 3; i++)
            actions.push_back([this] { seenDialogs.push_back("extra"); PressEscape(); });
        user.PlayWhenIdle(std::move(actions));
    }
    std::function<void()> NoteAnd(std::function<void()> act)
    {
        return [this, act] {
            if (auto* keys = KeyDialog<CMenuKeyDlg>())
                seenDialogs.push_back("key:" + std::string(keys->KeyDisplay().Text().View()));
            else
                seenDialogs.push_back(KeyDialog<CMacMIDIOutputDialog>()    ? "midi"
                                      : KeyDialog<CSimpleMessageDialog>() ? "message"
                                                                          : "none");
            act();
        };
    }
    std::function<void()> Return() { return NoteAnd([this] { PressReturn(); }); }
    std::function<void()> Escape() { return NoteAnd([this] { PressEscape(); }); }
    std::function<void()> Type(const char* key, uint16_t code, uint32_t modifiers)
    {
        return NoteAnd([=, this] { PostKey(key, code, modifiers); });
    }
    // Ctrl+Shift+J chooses MIDI Output.
    void ExpectCtrlShiftJOpensMidiOutput()
    {
        seenDialogs.clear();
        Play({Escape()});
        EXPECT_TRUE(plat::MenuDriver::PressKey("J", kCommandShift));
        EXPECT_EQ(seenDialogs, (std::vector<std::string>{"midi"}));
    }

    std::vector<std::string> seenDialogs;
};

TEST_F(Shortcuts, AnAssignedShortcutRunsItsItemAndSurvivesARelaunch)
{
    Play({Type("J", 38, plat::kModCommand | plat::kModShift), Return()});
    ASSERT_TRUE(AssignTo(kMidiItem));
    EXPECT_EQ(seenDialogs, (std::vector<std::string>{"key:", "key:Ctrl+Shift+J"}));
    EXPECT_EQ(KeyOf("CAppCmd_MidiUse"), "sJ");
    EXPECT_EQ(CApp::Get()->MenuKeys().RowCount(), 1u);
    ExpectCtrlShiftJOpensMidiOutput();
    Stop();
    Start();
    EXPECT_EQ(KeyOf("CAppCmd_MidiUse"), "sJ") << "the shortcut came back from the preferences";
    ExpectCtrlShiftJOpensMidiOutput();
}

TEST_F(Shortcuts, AnItemWithItsOwnKeyIsNotChanged)
{
    const std::string quitKey = KeyOf("LStdCmd_Quit");
    Play({Return()});
    ASSERT_TRUE(AssignTo("Quit Sonalyx"));
    EXPECT_EQ(seenDialogs, (std::vector<std::string>{"message"}));
    EXPECT_EQ(KeyOf("LStdCmd_Quit"), quitKey);
    EXPECT_EQ(CApp::Get()->MenuKeys().RowCount(), 0u);
    EXPECT_FALSE(CApp::Get()->MenuKeys().IsArmed());
}

TEST_F(Shortcuts, AKeyThatIsAnotherItemsOwnIsRefusedAndAskedAgain)
{
    // Ctrl+Q belongs to Quit: refused with a message, then the dialog asks again.
    Play({Type("q", 12, plat::kModCommand), Return(), Return(), Type("q", 12, plat::kModCommand), Escape()});
    ASSERT_TRUE(AssignTo(kMidiItem));
    EXPECT_EQ(seenDialogs, (std::vector<std::string>{"key:", "key:Ctrl+Q", "message", "key:", "key:Ctrl+Q"}));
    EXPECT_EQ(KeyOf("CAppCmd_MidiUse"), "");
    EXPECT_EQ(CApp::Get()->MenuKeys().RowCount(), 0u);
    EXPECT_FALSE(CApp::Get()->MainLoop().quitPending) << "the typed key did not quit";
}

TEST_F(Shortcuts, DamagedStoredShortcutsKeepWhatIsSound)
{
    CMenuKeyTable& keys = CApp::Get()->MenuKeys();
    LObjectPtr stored = LObject::Create(CParamSchema::TableClass());
    CParamTable::AppendColumn(stored.get(), nullptr);
    const char* rows[][3] = {
        {"CAppCmd_MidiUse", "MIDI Output…", "sJ"}, // sound
        {"", "Nothing", "sN"},                      // no command
        {"CAppCmd_Zm 1", "1×", "co"},               // modifiers without a key
        {"CAppCmd_Zm 2", "2×", "coscoscosX"},       // too long
        {"CAppCmd_Zm 4", "4×", "o4"},               // sound
        {"CAppCmd_Zm 4", "4×", "o5"},               // the same item again: the later row wins
    };
    const char* names[] = {"cmd", "text", "key"};
    for (uint32_t row = 0; row < std::size(rows); row++) {
        CParamTable::AppendRow(stored.get(), nullptr);
        for (int cell = 0; cell < 3; cell++)
            CParamTable::SetCellValue(stored.get(), nullptr, 0, row, names[cell], LStringRef(rows[row][cell]));
    }
    LObject* prefs = CApp::Get()->Prefs().Root();
    LObject::ReplaceChild(prefs, nullptr, 4, std::move(stored));
    ASSERT_TRUE(keys.Load(prefs, 4));
    ASSERT_EQ(keys.RowCount(), 2u);
    EXPECT_EQ(std::string(keys.Cell(0, "cmd").View()), "CAppCmd_MidiUse");
    EXPECT_EQ(std::string(keys.Cell(1, "key").View()), "o5");
    EXPECT_EQ(KeyOf("CAppCmd_MidiUse"), "sJ");

    // A record of another class is ignored and the table stays.
    LObject::ReplaceChild(prefs, nullptr, 4, LObject::Create(CParamSchema::SetClass()));
    EXPECT_FALSE(keys.Load(prefs, 4));
    EXPECT_EQ(keys.RowCount(), 2u);
}

} // namespace
