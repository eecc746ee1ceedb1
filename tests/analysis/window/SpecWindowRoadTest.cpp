#include "analysis/views/CSnxChList.h"
#include "controls/edit/CEntryEditText.h"
#include "controls/lists/CCellIter.h"
#include "foundation/records/CParamSet.h"
#include "outputs/editor/CFaderCell.h"
#include "outputs/editor/CFaderFrame.h"
#include "sources/CSampleSrc.h"
#include "tests/analysis/window/SpecWindowKit.h"
#include "tests/support/OscDecoder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

class SpecWindowRoad : public SpecWindowTest {
protected:
    SpecWindowRoad()
    {
        Make();
        source = &UseScripted();
        Note();  // the window learns the source's rate before any data
        clock.AdvanceMs(10000);  // past every hold time of the records' defaults
    }
    // The source announces data on the dispatch thread; the window pulls under the queue lock.
    void Deliver()
    {
        LAsyncQueueLock lock(queue);
        LMessage::Send(LMessage(CSampleSrc::msgData, source, source->Parent()));
    }
    // The window's note reaches it on the main thread.
    void Note()
    {
        LMessage::Send(LMessage(LAsyncEvent::msgNote, const_cast<LAsyncEvent*>(&window->Note()),
                                static_cast<LHandler*>(window.get())));
    }
    void Frame(std::vector<float> values) { source->steps.push_back({std::move(values), {}}); }
    void Text(const std::string& text) { source->steps.push_back({{}, text}); }
    // n frames of a sine of amplitude a at bin k of an N-point analysis, on channel 0.
    void Sine(float a, uint32_t k)
    {
        const uint32_t n = uint32_t(window->Plan().windowTable.size());
        for (uint32_t i = 0; i < n; ++i)
            Frame({a * float(std::sin(2.0 * std::numbers::pi * k * i / n))});
        Deliver();
        Note();
    }
    LObject* Channel0() const { return window->Document().Root()->GetChild(kFdrsChns, 0); }

    ScriptedSource* source = nullptr;
};

} // namespace

TEST_F(SpecWindowRoad, ShortFramesPadWithZeroAndExtremesFollowEveryChannel)
{
    Command("CAppCmd_Chans", "3");
    Frame({0.25f});
    Frame({0.5f, -0.75f, 0.125f});
    Deliver();
    EXPECT_EQ(Newest(0, 2), (std::vector<float>{0.25f, 0.5f}));
    EXPECT_EQ(Newest(1, 2), (std::vector<float>{0.0f, -0.75f}));
    EXPECT_EQ(Newest(2, 2), (std::vector<float>{0.0f, 0.125f}));
    EXPECT_EQ(window->LevelMin(1), -0.75f);
    EXPECT_EQ(window->LevelMax(0), 0.5f);
    EXPECT_EQ(window->LevelMin(0), 0.25f);
}

TEST_F(SpecWindowRoad, TextsGoIntoTheSlotOfTheNextFrame)
{
    Frame({0.1f});
    Text("cue 1");
    Text("");   // the source cannot go on: the pull ends, the text stays pending
    Deliver();
    EXPECT_EQ(std::string(window->Analyser().TakeLastLine().View()), "");
    Frame({0.2f});
    Deliver();
    EXPECT_EQ(std::string(window->Analyser().TakeLastLine().View()), "cue 1");
}

TEST_F(SpecWindowRoad, OtherSourcesDataIsNotPulled)
{
    ScriptedSource other(window.get());
    other.steps.push_back({{0.9f}, {}});
    LAsyncQueueLock lock(queue);
    LMessage::Send(LMessage(CSampleSrc::msgData, &other, static_cast<LHandler*>(window.get())));
    EXPECT_TRUE(other.steps.empty()) << "its own handler drains and drops the frames";
    EXPECT_EQ(Newest(0, 1), (std::vector<float>{0.0f}));
}

TEST_F(SpecWindowRoad, NoteUpdatesStatusAndARateChangeClearsTheRings)
{
    EXPECT_EQ(window->CurrentRate(), 1000u);
    Frame({0.5f});
    Deliver();
    Note();
    EXPECT_TRUE(window->HasNewData());
    EXPECT_FLOAT_EQ(record->GetFloat(kWindRate), 1000.0f);
    EXPECT_EQ(Newest(0, 1), (std::vector<float>{0.5f}));
    source->rate = 250;
    Note();
    EXPECT_EQ(window->CurrentRate(), 250u);
    EXPECT_EQ(Newest(0, 1), (std::vector<float>{0.0f})) << "a new rate clears every ring";
}

TEST_F(SpecWindowRoad, RenderPassAnalysesOnlyNewData)
{
    Sine(0.5f, 8);
    ASSERT_TRUE(window->HasNewData());
    LMessage::Send(LMessage(CSnxChList::msgRender, &window->ChannelList(), static_cast<LHandler*>(window.get())));
    EXPECT_FALSE(window->HasNewData());
    const CSpectrumChan& chan = *window->Analyser().Channel(0);
    const auto peak = std::max_element(chan.magnitude.begin(), chan.magnitude.end());
    EXPECT_EQ(peak - chan.magnitude.begin(), 8);
}

TEST_F(SpecWindowRoad, PeakHoldAndLevelsFollowTheHoldTime)
{
    LObject::SetBool(record, nullptr, kWindPkdt, true, LObject::Merge::No);
    LObject::SetFloat(record, nullptr, kWindPkht, 2.0f, LObject::Merge::No);
    LObject::SetFloat(record, nullptr, kWindPkfl, 0.0f, LObject::Merge::No);
    LObject::SetFloat(record, nullptr, kWindPkfh, 500.0f, LObject::Merge::No);
    const uint32_t nb = uint32_t(window->Plan().windowTable.size() / 2);

    Sine(0.5f, 8);
    window->Analyse();
    const float high = Channel0()->GetFloat(kChanPeakLevel);
    EXPECT_GT(high, 0.0f);
    EXPECT_FLOAT_EQ(Channel0()->GetFloat(kChanPeakPos), 8.0f / float(nb));
    EXPECT_LT(window->LevelMax(0), window->LevelMin(0)) << "the extremes start over after each pass";

    clock.AdvanceMs(1000);
    Sine(0.25f, 16);
    window->Analyse();
    EXPECT_FLOAT_EQ(Channel0()->GetFloat(kChanPeakLevel), high) << "a lower peak waits for the hold time";

    clock.AdvanceMs(1500);
    Sine(0.25f, 16);
    window->Analyse();
    EXPECT_LT(Channel0()->GetFloat(kChanPeakLevel), high);
    EXPECT_FLOAT_EQ(Channel0()->GetFloat(kChanPeakPos), 16.0f / float(nb));

    const float maxLevel = Channel0()->GetFloat(kChanMaxLevel);
    window->Analyse();
    EXPECT_FLOAT_EQ(Channel0()->GetFloat(kChanMaxLevel), maxLevel) << "no samples since the last pass";
}

TEST_F(SpecWindowRoad, PeakBandsOutsideTheSpectrumFindNothing)
{
    LObject::SetBool(record, nullptr, kWindPkdt, true, LObject::Merge::No);
    const float bands[][2] = {{300.0f, 100.0f}, {1e30f, 2e30f}, {NAN, NAN}};
    for (const auto& band : bands) {
        LObject::SetFloat(record, nullptr, kWindPkfl, band[0], LObject::Merge::No);
        LObject::SetFloat(record, nullptr, kWindPkfh, band[1], LObject::Merge::No);
        clock.AdvanceMs(10000);
        Sine(0.5f, 8);
        window->Analyse();
        EXPECT_EQ(Channel0()->GetFloat(kChanPeakLevel), 0.0f) << band[0];
    }
}

// A band edge that lies exactly half-way between two bins takes the bin above it at both ends.
TEST_F(SpecWindowRoad, PeakBandEdgesAtExactHalvesRoundAwayFromZero)
{
    LObject::SetBool(record, nullptr, kWindPkdt, true, LObject::Merge::No);
    const uint32_t n = uint32_t(window->Plan().windowTable.size());
    const float binHz = 1000.0f / float(n);
    struct Row {
        float lowBin, highBin;   // band edges in bins
        uint32_t strong, weak;   // a sine of 0.5 and one of 0.4 at these bins
        uint32_t peak;           // where the peak is found
    };
    const Row rows[] = {
        {64.5f, 80.0f, 64, 70, 70},   // the low edge rounds up to 65: the strong sine is outside
        {40.0f, 66.5f, 67, 50, 67},   // the high edge rounds up to 67: the strong sine is inside
    };
    for (const Row& row : rows) {
        LObject::SetFloat(record, nullptr, kWindPkfl, row.lowBin * binHz, LObject::Merge::No);
        LObject::SetFloat(record, nullptr, kWindPkfh, row.highBin * binHz, LObject::Merge::No);
        clock.AdvanceMs(10000);
        for (uint32_t i = 0; i < n; ++i) {
            const double phase = 2.0 * std::numbers::pi * i / n;
            Frame({float(0.5 * std::sin(phase * row.strong) + 0.4 * std::sin(phase * row.weak))});
        }
        Deliver();
        Note();
        window->Analyse();
        EXPECT_FLOAT_EQ(Channel0()->GetFloat(kChanPeakPos), float(row.peak) / float(n / 2)) << row.lowBin;
    }
}

TEST_F(SpecWindowRoad, WithoutPeakDetectionNothingChanges)
{
    const float before = Channel0()->GetFloat(kChanPeakLevel);
    Sine(0.5f, 8);
    window->Analyse();
    EXPECT_EQ(Channel0()->GetFloat(kChanPeakLevel), before);
    EXPECT_FLOAT_EQ(window->LevelMax(0), 0.5f) << "the extremes are kept";
}

TEST_F(SpecWindowRoad, BaselineTimerAsksTheLiveSourceAndRearms)
{
    struct Counting : ScriptedSource {
        using ScriptedSource::ScriptedSource;
        void SendBaseline() override { ++sent; }
        int sent = 0;
    };
    auto counting = std::make_unique<Counting>(window.get());
    Counting& ref = *counting;
    window->SetLiveSource(std::move(counting));
    LMessage::Send(LMessage(LTimer::msgExpire, const_cast<LTimer*>(&window->BaselineTimer()),
                            static_cast<LHandler*>(window.get())));
    EXPECT_EQ(ref.sent, 1);
    EXPECT_TRUE(window->BaselineTimer().IsArmed());
}

TEST_F(SpecWindowRoad, DeviceTextsComeOnlyFromTheWindowsOwnRecord)
{
    LObject* other = prefs.AddDocument();
    SendDeviceText(other, LStringRef("not for us"));
    SendDeviceText(record, LStringRef("BL"));
    EXPECT_EQ(source->recorded, (std::vector<std::string>{"BL"}));
}

// The address entered into a fader's row in the editor is what the next datagram carries.
TEST_F(SpecWindowRoad, AnOscAddressEditedInTheFaderEditorReachesTheNextDatagram)
{
    OscDecoder decoder(2);
    ASSERT_NE(decoder.Port(), 0);
    Command("CAppCmd_AddFdr");
    LObject* fader = window->Document().Fader(0);
    ASSERT_NE(fader, nullptr);
    LObject::SetByte(fader, nullptr, kFadrStyp, 4, LObject::Merge::No);  // the newest sample
    LObject::SetByte(fader, nullptr, kFadrFtyp, 9, LObject::Merge::No);  // OSC
    CParamSet::SetValue(fader->GetChild(kFadrCprm), nullptr, "opt", LStringRef(std::to_string(decoder.Port())));
    CParamSet::SetValue(fader->GetChild(kFadrCprm), nullptr, "oad", LStringRef("/before"));
    const auto pass = [&](float value) {
        Frame({value});
        Deliver();
        Note();
        LMessage::Send(LMessage(CSnxChList::msgRender, &window->ChannelList(), static_cast<LHandler*>(window.get())));
    };
    pass(0.25f);

    CFaderList& list = window->FaderFrame().List();
    CCellIter row(list, {0, 0}, false);
    auto* cell = dynamic_cast<CFaderCell*>(row.Pane());
    ASSERT_NE(cell, nullptr);
    const CCtlDefList* definitions = cell->Panel().List();
    ASSERT_NE(definitions, nullptr);
    LEditText* address = nullptr;
    for (uint32_t i = 0; i < definitions->Count() && !address; ++i) {
        if (definitions->Id(i).View() == "oad")
            address = dynamic_cast<LEditText*>(cell->Panel().Control(i));
    }
    ASSERT_NE(address, nullptr);
    address->SetText(LStringRef("/edited"));
    LMessage::Send(LMessage(CEntryEditText::msgEnter, address, address->Parent())); // the edit ends
    pass(0.5f);

    const std::vector<std::string> lines = decoder.Finish();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(lines[0].find(" /before ,f "), std::string::npos) << lines[0];
    EXPECT_NE(lines[1].find("16 /edited ,f "), std::string::npos) << lines[1];
}
