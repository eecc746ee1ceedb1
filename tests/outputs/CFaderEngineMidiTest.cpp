// MIDI bytes of the four MIDI output kinds, their reset messages and the MIDI console.
#include "tests/outputs/FaderEngineFixture.h"

#include "foundation/records/CParamTable.h"
#include "outputs/faders/FaderLevel.h"

#include <limits>

using Bytes = std::vector<std::string>;

namespace {

class FaderEngineMidi : public FaderEngineFixture {
protected:
    // A MIDI fader on channel 2 fed by channel 0's newest sample; the kind is set last, so
    // that setting up the ranges sends nothing.
    LObject* AddMidiFader(uint8_t kind, CFaderRanges ranges = {})
    {
        Engine();
        LObject* fader = AddFader(kFaderNone);
        SetParam(fader, "mch", "2");
        SetFloat(fader, kFadrAmpl, ranges.ampl);
        SetFloat(fader, kFadrAmph, ranges.amph);
        SetFloat(fader, kFadrFdrl, ranges.fdrl);
        SetFloat(fader, kFadrFdrh, ranges.fdrh);
        SetByte(fader, kFadrFtyp, kind);
        EXPECT_TRUE(midi.Take().empty());
        return fader;
    }
    // Feeds each value to channel 0 in turn, expecting the packets each one sends.
    void Play(std::initializer_list<std::pair<float, Bytes>> steps)
    {
        for (const auto& [value, bytes] : steps) {
            Feed(0, value);
            EXPECT_EQ(midi.Take(), bytes) << value;
        }
    }
};

} // namespace

TEST_F(FaderEngineMidi, ControlChangeAndItsResetOnRemoval)
{
    AddMidiFader(kFaderMidiCtrl);
    Play({{0.25f, {"B2 07 20"}}, {0.25f, {"B2 07 20"}}}); // a control is sent on every value
    document.RemoveAllFaders();
    EXPECT_EQ(midi.Take(), (Bytes{"B2 07 64"}));
    EXPECT_EQ(engine->FaderCount(), 0u);
}

TEST_F(FaderEngineMidi, ResetValuesOfControllers)
{
    const std::pair<const char*, const char*> cases[] = {
        {"10", "B2 0A 40"}, {"11", "B2 0B 7F"}, {"98", "B2 62 7F"}, {"101", "B2 65 7F"}, {"20", "B2 14 00"}};
    for (const auto& [controller, reset] : cases) {
        LObject* fader = AddMidiFader(kFaderMidiCtrl);
        SetParam(fader, "mct", controller);
        Feed(0, 1.0f);
        midi.Take();
        document.RemoveAllFaders();
        EXPECT_EQ(midi.Take(), (Bytes{reset})) << "controller " << controller;
    }
    // A fader that never sent has nothing to undo.
    AddMidiFader(kFaderMidiCtrl);
    document.RemoveAllFaders();
    EXPECT_TRUE(midi.Take().empty());
}

TEST_F(FaderEngineMidi, PitchBendAndItsCentre)
{
    AddMidiFader(kFaderMidiBend);
    Play({{0.25f, {"E2 00 20"}}, {1.0f, {"E2 7F 7F"}}, {0.0f, {"E2 00 00"}}});
    document.RemoveAllFaders();
    EXPECT_EQ(midi.Take(), (Bytes{"E2 00 40"}));
}

TEST_F(FaderEngineMidi, NoteFollowsTheValueAndRepeatsNothing)
{
    AddMidiFader(kFaderMidiNote);
    // 0.2501 rounds to the same note.
    Play({{0.25f, {"92 20 64"}}, {0.25f, {}}, {0.2501f, {}}, {0.5f, {"92 20 00", "92 40 64"}}});
    engine.reset();  // going away undoes the standing note
    EXPECT_EQ(midi.Take(), (Bytes{"92 40 00"}));
}

TEST_F(FaderEngineMidi, TriggerWithAReversedOutputRange)
{
    AddMidiFader(kFaderMidiTrig, {0.0f, 0.5f, 1.0f, 0.0f});
    // Above 'amph': off, nothing stands; 0.4 gives y = 0.2: velocity trunc(25.4).
    Play({{0.6f, {}}, {0.4f, {"92 3C 19"}}, {0.3f, {}}, {0.7f, {"92 3C 00"}}});
}

TEST_F(FaderEngineMidi, TriggerVelocityIsAtLeastOne)
{
    AddMidiFader(kFaderMidiTrig, {0.5f, 0.5f, 0.0f, 0.0f});
    Play({{0.49f, {}}, {0.5f, {"92 3C 01"}}});
}

TEST_F(FaderEngineMidi, OutOfRangeParametersNeverMakeOtherMessages)
{
    // A channel beyond 15, a controller beyond 127 and values above 1 stay within a
    // control change of three bytes.
    LObject* fader = AddMidiFader(kFaderMidiCtrl, {0.0f, 1.0f, 0.0f, 4.0f});
    SetParam(fader, "mch", "66");
    SetParam(fader, "mct", "300");
    Feed(0, 1.0f);
    EXPECT_EQ(midi.Take(), (Bytes{"BF 7F 7F"}));
    SetParam(fader, "mch", "nonsense");  // undoes the control on the old channel first
    Feed(0, std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(midi.Take(), (Bytes{"BF 7F 00", "B0 7F 00"}));
}

TEST_F(FaderEngineMidi, ChangingTheKindUndoesTheOldMessage)
{
    LObject* fader = AddMidiFader(kFaderMidiNote);
    Play({{0.5f, {"92 40 64"}}});
    SetByte(fader, kFadrFtyp, kFaderMidiBend);
    EXPECT_EQ(midi.Take(), (Bytes{"92 40 00"}));
    Play({{0.5f, {"E2 00 40"}}});
}

TEST_F(FaderEngineMidi, TakingTheOutputsSendsEveryConsoleControl)
{
    Engine().TakeDmxOutput();
    const Bytes sent = midi.Take();
    ASSERT_EQ(sent.size(), 16u * 3u);  // program, volume, pan for 16 channels
    EXPECT_EQ(Bytes(sent.begin(), sent.begin() + 3), (Bytes{"C0 00", "B0 07 64", "B0 0A 40"}));
    EXPECT_EQ(Bytes(sent.end() - 3, sent.end()), (Bytes{"CF 00", "BF 07 64", "BF 0A 40"}));
    engine->TakeDmxOutput();  // already driving: nothing again
    EXPECT_TRUE(midi.Take().empty());
}

TEST_F(FaderEngineMidi, ConsoleCellsSendWhenThisEngineDrives)
{
    LObject* table = document.Root()->GetChild(kFdrsMdcs);
    ASSERT_NE(table, nullptr);
    for (int c = 0; c < 16; ++c)
        CParamTable::AppendColumn(table, nullptr);
    CParamTable::AppendRow(table, nullptr);
    CParamTable::SetCellValue(table, nullptr, 3, 0, "7", LStringRef("90"));
    Engine();
    CParamTable::SetCellValue(table, nullptr, 3, 0, "7", LStringRef("91"));
    EXPECT_TRUE(midi.Take().empty());  // not the driver
    engine->TakeDmxOutput();
    const Bytes all = midi.Take();
    EXPECT_EQ(all[3 * 3 + 1], "B3 07 5B");  // the stored cell replaces the default
    CParamTable::SetCellValue(table, nullptr, 3, 0, "7", LStringRef("0x10"));
    CParamTable::SetCellValue(table, nullptr, 4, 0, "p", LStringRef("200"));
    EXPECT_EQ(midi.Take(), (Bytes{"B3 07 10", "C4 7F"}));
}
