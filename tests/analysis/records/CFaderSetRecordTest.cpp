#include "analysis/records/CFaderSetRecord.h"
#include "analysis/records/CSnxSchema.h"
#include "foundation/records/CParamSchema.h"
#include "tests/analysis/records/SnxRecordTestKit.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <vector>

namespace {

class FaderSetTest : public testing::Test {
protected:
    FaderSetTest() : control(&window) {}
    LObject* Doc() const { return doc.Root(); }
    LObject* Fader(int i) const { return doc.Fader(i); }
    using Floats = std::vector<float>;
    Floats Fields(int i, std::initializer_list<uint8_t> fields) const
    {
        Floats values;
        for (uint8_t field : fields)
            values.push_back(Fader(i)->GetFloat(field));
        return values;
    }
    Floats Freqs(int i) const { return Fields(i, {kFadrFrql, kFadrFrqh}); }
    Floats Amps(int i) const { return Fields(i, {kFadrAmpl, kFadrAmph}); }

    UndoWindow window;
    LHandler control;
    CFaderSetRecord doc;
};

} // namespace

TEST(CSnxSchema, NewDocumentHoldsItsDefaults)
{
    CFaderSetRecord doc;
    LObject* root = doc.Root();
    ASSERT_NE(root, nullptr);
    EXPECT_TRUE(root->Is(FourCC("YSNX"), FourCC("FDRS")));
    LObject* common = doc.Common();
    ASSERT_NE(common, nullptr);
    EXPECT_EQ(common->GetFloat(kComnSrat), 120.0f);
    EXPECT_EQ(common->GetFloat(kComnFcrt), 0.33333334f);
    EXPECT_EQ((std::array{common->GetByte(kComnDb), common->GetByte(kComnFtsx), common->GetByte(kComnWnfc)}),
              (std::array<uint8_t, 3>{0, 8, 1}));
    for (const uint8_t array : {kFdrsFdrs, kFdrsChns, kFdrsDmst})
        EXPECT_EQ(root->GetArrayCount(array), 0u) << int(array);
    ASSERT_NE(root->GetChild(kFdrsMdcs), nullptr);
    EXPECT_TRUE(root->GetChild(kFdrsMdcs)->Is(CParamSchema::kCreator, CParamSchema::kTableClass));
    ASSERT_NE(root->GetChild(kFdrsEvts), nullptr);
    EXPECT_TRUE(root->GetChild(kFdrsEvts)->Is(CSnxSchema::kCreator, CSnxSchema::kEventListClass));
    EXPECT_EQ((std::array{root->GetFloat(kFdrsFactor), root->GetFloat(kFdrsScale)}), (std::array{1.0f, 1.0f}));
    EXPECT_EQ(root->GetUInt(kFdrsDecimals), 0u);
    EXPECT_TRUE(root->GetString(kFdrsPrefix).IsEmpty());
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(FaderSetTest, AppendedFaderHasDefaultSettings)
{
    EXPECT_EQ(doc.AppendFader(&control), 0);
    EXPECT_EQ(doc.AppendFader(&control), 1);
    ASSERT_NE(Fader(1), nullptr);
    EXPECT_EQ(Fields(1, {kFadrFrql, kFadrFrqh, kFadrAmpl, kFadrAmph, kFadrFdrh}), (Floats{10, 20, 0, 1, 1}));
    ASSERT_NE(Fader(1)->GetChild(kFadrCprm), nullptr);
    EXPECT_TRUE(doc.IsModified());
    window.Undo();
    EXPECT_EQ(doc.FaderCount(), 1);
}

TEST_F(FaderSetTest, EveryPairKeepsLowAtOrBelowHighInOneStep)
{
    ASSERT_EQ(doc.AppendFader(&control), 0);
    const int before = window.UndoDepth();
    doc.SetFaderLowFreq(&control, 0, 55.0f);
    EXPECT_EQ(Freqs(0), (Floats{55, 55}));
    EXPECT_EQ(window.UndoDepth(), before + 1);
    window.Undo();
    EXPECT_EQ(Freqs(0), (Floats{10, 20}));
    window.Redo();
    EXPECT_EQ(Freqs(0), (Floats{55, 55}));

    // Every pair keeps low at or below high; the high end stays when already above.
    doc.SetFaderHighFreq(&control, 0, 4.0f);
    EXPECT_EQ(Freqs(0), (Floats{4, 4}));
    doc.SetFaderLowAmp(&control, 0, 3.0f);
    EXPECT_EQ(Amps(0), (Floats{3, 3}));
    doc.SetFaderHighAmp(&control, 0, -1.0f);
    EXPECT_EQ(Amps(0), (Floats{-1, -1}));
    doc.SetFaderLowAmp(&control, 0, -2.0f);
    EXPECT_EQ(Amps(0), (Floats{-2, -1}));
}

TEST_F(FaderSetTest, RunOfEditsOfOneFaderIsOneStep)
{
    ASSERT_EQ(doc.AppendFader(&control), 0);
    ASSERT_EQ(doc.AppendFader(&control), 1);
    const int before = window.UndoDepth();
    doc.SetFaderHighFreq(&control, 0, 30.0f);
    doc.SetFaderHighFreq(&control, 0, 40.0f);
    doc.SetFaderHighFreq(&control, 0, 50.0f);
    EXPECT_EQ(window.UndoDepth(), before + 1);
    doc.SetFaderHighFreq(&control, 1, 60.0f);
    EXPECT_EQ(window.UndoDepth(), before + 2) << "another fader";
    doc.SetFaderLowFreq(&control, 1, 15.0f);
    EXPECT_EQ(window.UndoDepth(), before + 3) << "another operation";
    window.Undo();
    window.Undo();
    EXPECT_EQ(Fader(1)->GetFloat(kFadrFrqh), 20.0f);
    window.Undo();
    EXPECT_EQ(Fader(0)->GetFloat(kFadrFrqh), 20.0f) << "one undo restores the value before the run";
    window.Redo();
    EXPECT_EQ(Fader(0)->GetFloat(kFadrFrqh), 50.0f) << "redo gives the value after the run";
}

TEST_F(FaderSetTest, BadIndexOrValueChangesNothing)
{
    ASSERT_EQ(doc.AppendFader(&control), 0);
    const int before = window.UndoDepth();
    doc.SetFaderLowFreq(&control, 1, 5.0f);
    doc.SetFaderLowFreq(&control, -1, 5.0f);
    doc.SetFaderHighFreq(&control, 0, std::numeric_limits<float>::quiet_NaN());
    doc.SetFaderLowAmp(&control, 0, std::numeric_limits<float>::infinity());
    EXPECT_EQ(Fader(0)->GetFloat(kFadrFrqh), 20.0f);
    EXPECT_EQ(Fader(0)->GetFloat(kFadrAmpl), 0.0f);
    EXPECT_EQ(window.UndoDepth(), before);
}

TEST_F(FaderSetTest, CurrentFaderIsMarkedAloneAndNotUndoable)
{
    for (int i = 0; i < 3; ++i)
        ASSERT_EQ(doc.AppendFader(&control), i);
    const int before = window.UndoDepth();
    doc.SetModified(false);
    auto marks = [&] { return std::array{Fader(0)->GetByte(kFadrCurrent), Fader(1)->GetByte(kFadrCurrent), Fader(2)->GetByte(kFadrCurrent)}; };
    doc.SetCurrentFader(1);
    EXPECT_EQ(marks(), (std::array<uint8_t, 3>{0, 1, 0}));
    doc.SetCurrentFader(2);
    EXPECT_EQ(marks(), (std::array<uint8_t, 3>{0, 0, 1}));
    doc.SetCurrentFader(7);
    EXPECT_EQ(marks(), (std::array<uint8_t, 3>{0, 0, 0}));
    EXPECT_FALSE(doc.IsModified()) << "a memory-only field";
    EXPECT_EQ(window.UndoDepth(), before);
}

TEST_F(FaderSetTest, RemoveAllFadersResetsTheRequestedRate)
{
    ASSERT_EQ(doc.AppendFader(&control), 0);
    ASSERT_EQ(doc.AppendFader(&control), 1);
    LObject::SetFloat(doc.Common(), &control, kComnSrat, 44100.0f, LObject::Merge::No);
    doc.RemoveAllFaders();
    EXPECT_EQ(doc.FaderCount(), 0);
    EXPECT_EQ(doc.Common()->GetFloat(kComnSrat), 120.0f);
}

TEST_F(FaderSetTest, ChannelRecordsNeverBecomeEmpty)
{
    ResizeChannelRecords(Doc(), &control, 0);
    EXPECT_EQ(Doc()->GetArrayCount(kFdrsChns), 1u);
    const int before = window.UndoDepth();
    ResizeChannelRecords(Doc(), &control, 4);
    EXPECT_EQ(Doc()->GetArrayCount(kFdrsChns), 4u);
    EXPECT_EQ(window.UndoDepth(), before + 1);
    ResizeChannelRecords(Doc(), &control, 4);
    EXPECT_EQ(window.UndoDepth(), before + 1) << "same count: nothing recorded";
    ResizeChannelRecords(Doc(), &control, 2);
    EXPECT_EQ(Doc()->GetArrayCount(kFdrsChns), 2u);
    window.Undo();
    EXPECT_EQ(Doc()->GetArrayCount(kFdrsChns), 4u);
    window.Undo();
    EXPECT_EQ(Doc()->GetArrayCount(kFdrsChns), 1u);
    ResizeChannelRecords(Doc(), &control, 100000);
    EXPECT_EQ(Doc()->GetArrayCount(kFdrsChns), kMaxChannelRecords);
    ResizeChannelRecords(nullptr, &control, 3);
}

TEST_F(FaderSetTest, LevelRecordChangesOnlyWhenItDiffers)
{
    NoticeLog log(doc);
    SetLevelRecord(Doc(), 0.001f);
    EXPECT_EQ(Doc()->GetFloat(kFdrsFactor), 0.001f);
    EXPECT_FLOAT_EQ(Doc()->GetFloat(kFdrsScale), 1000.0f * 0.001f);
    EXPECT_EQ(Doc()->GetString(kFdrsPrefix).View(), "m");
    EXPECT_GT(Doc()->GetUInt(kFdrsDecimals), 0u);
    const size_t notices = log.entries.size();
    EXPECT_GT(notices, 0u);
    SetLevelRecord(Doc(), 0.001f);
    EXPECT_EQ(log.entries.size(), notices);
    EXPECT_FALSE(doc.IsModified()) << "memory-only fields";
    EXPECT_EQ(window.UndoDepth(), 0);
}
