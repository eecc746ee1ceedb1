// Timecode conversions, the move index adjuster and the timecode field's display.
#include "analysis/events/CMoveIndexAdjuster.h"
#include "analysis/events/CTimecodeEdit.h"
#include "analysis/events/Timecode.h"
#include "tests/controls/ControlHost.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

Timecode Tc(uint32_t mode, int h, int m, int s, int f)
{
    return Timecode{mode, uint8_t(h), uint8_t(m), uint8_t(s), uint8_t(f)};
}

Timecode Parsed(uint32_t mode, const char* text, int32_t* sign = nullptr)
{
    Timecode tc{mode};
    const int32_t got = Timecode::Parse(text, tc);
    if (sign)
        *sign = got;
    return tc;
}

} // namespace

TEST(Timecode, ConvertsBothWaysInModesThirtyAndDropFrame)
{
    struct Row {
        Timecode tc;
        int64_t units;
        int64_t frames;
    };
    const Row rows[] = {
        {Tc(30, 1, 0, 0, 15), 1000, 3600500},          // 3600.5 s
        {Tc(29, 0, 1, 0, 2), 30000, 1801800},          // 60.06 s
        {Tc(29, 0, 0, 1, 0), 30000, 30030},            // 1.001 s
        {Tc(29, 0, 10, 0, 0), 30000, 18000000},        // the tenth minute keeps its labels
        {Tc(25, 0, 0, 2, 24), 1000, 2960},
        {Tc(1, 23, 59, 59, 0), 1, 86399},
        {Tc(100, 0, 0, 1, 50), 1000, 1500},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(Timecode::ToFrames(row.tc, row.units), row.frames) << Timecode::Format(row.tc);
        Timecode back{row.tc.mode};
        Timecode::FromFrames(back, row.frames, row.units);
        EXPECT_EQ(back, row.tc) << Timecode::Format(row.tc);
    }
}

TEST(Timecode, EveryDropFrameLabelRoundTripsThroughTextAndUnits)
{
    for (int minute : {0, 1, 9, 10, 11, 59}) {
        for (int second = 0; second < 60; ++second) {
            for (int frame = 0; frame < 30; ++frame) {
                if (second == 0 && minute % 10 != 0 && frame < 2)
                    continue;  // labels that drop-frame counting skips
                const Timecode tc = Tc(29, 1, minute, second, frame);
                const std::string text = Timecode::Format(tc);
                const Timecode parsed = Parsed(29, text.c_str());
                ASSERT_EQ(parsed, tc) << text;
                Timecode back{29};
                Timecode::FromFrames(back, Timecode::ToFrames(parsed, 1024), 1024);
                ASSERT_EQ(back, tc) << text;
            }
        }
    }
}

TEST(Timecode, ParsesFieldsSignsAndBadInput)
{
    struct Row {
        uint32_t mode;
        const char* text;
        Timecode expected;
        int32_t sign;
    };
    const Row rows[] = {
        {29, "00:01:00:00", Tc(29, 0, 1, 0, 2), 1},      // a skipped label becomes the first real one
        {29, "00:10:00:00", Tc(29, 0, 10, 0, 0), 1},
        {30, "1:2:3:4", Tc(30, 1, 2, 3, 4), 1},
        {30, "::5", Tc(30, 0, 0, 5, 0), 1},               // empty fields count 0
        {1, "0:90", Tc(1, 1, 30, 0, 0), 1},               // fields add into seconds and split again
        {1, " -00:00:07", Tc(1, 0, 0, 7, 0), -1},
        {1, "0:0:-7", Tc(1, 0, 0, 7, 0), -1},             // a negative total
        {1, "-0:0:-7", Tc(1, 0, 0, 7, 0), 1},             // both: positive
        {1, "x", Tc(1, 0, 0, 0, 0), 1},
        {1, "99999999999999999999:0:0", Tc(1, 23, 59, 59, 0), 1},  // saturated, kept in the day
        {100, "0:0:1.5", Tc(100, 0, 0, 1, 50), 1},
    };
    for (const Row& row : rows) {
        int32_t sign = 0;
        EXPECT_EQ(Parsed(row.mode, row.text, &sign), row.expected) << row.text;
        EXPECT_EQ(sign, row.sign) << row.text;
    }
    EXPECT_EQ(Timecode::Format(Tc(100, 0, 0, 1, 5)), "00:00:01.05");
    EXPECT_EQ(Timecode::Format(Tc(1, 10, 0, 1, 5)), "10:00:01");
}

TEST(CMoveIndexAdjuster, FindsEachItemAsEarlierOnesLeave)
{
    struct Row {
        std::vector<uint32_t> before;
        uint32_t insertion;
        std::vector<uint32_t> found;
        uint32_t first;
    };
    const Row rows[] = {
        {{1, 3}, 0, {1, 3}, 0},
        {{0, 1, 3}, 2, {0, 0, 3}, 0},        // two before the point, one after
        {{0, 1, 2}, 5, {0, 0, 0}, 2},
        {{4, 6}, 2, {4, 6}, 2},
    };
    for (const Row& row : rows) {
        CMoveIndexAdjuster adjuster;
        adjuster.Init(row.insertion);
        std::vector<uint32_t> found;
        for (uint32_t i : row.before)
            found.push_back(adjuster.Next(i));
        EXPECT_EQ(found, row.found);
        EXPECT_EQ(adjuster.FirstMoved(uint32_t(row.before.size())), row.first);
    }
}

TEST(CTimecodeEdit, ShowsSignedAndUnsignedTimes)
{
    ControlHost host;
    CTimecodeEdit plain(&host, 1, false);
    CTimecodeEdit withSign(&host, 1, true);
    CTimecodeEdit frames(&host, 25, false);
    plain.SetSeconds(-1.0);
    EXPECT_EQ(std::string(plain.GetText().View()), "23:59:59");
    withSign.SetSeconds(-1.0);
    EXPECT_EQ(std::string(withSign.GetText().View()), "-00:00:01");
    EXPECT_DOUBLE_EQ(withSign.GetSeconds(), -1.0);
    withSign.SetSeconds(0.0);
    EXPECT_EQ(std::string(withSign.GetText().View()), " 00:00:00");
    frames.SetSeconds(3661.52);
    EXPECT_EQ(std::string(frames.GetText().View()), "01:01:01:13");
    EXPECT_DOUBLE_EQ(frames.FieldStep(CTimecodeEdit::kFrames), 0.04);
    EXPECT_DOUBLE_EQ(plain.FieldStep(CTimecodeEdit::kFrames), 0.0);
}
