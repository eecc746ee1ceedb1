#include "tests/sources/TextSourceProbe.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

struct StreamCase {
    const char* name;
    std::string input;
    const char* expected;
};

// Row 0 maps raw r to r / 1024 - 0.5 on channels 0 to 3 and to r / 1024 above.
const StreamCase kStreams[] = {
    {"CrLfLineReportsItsFrameAtTheLf", "3ff 200\r\n", "F[0.4990234375,0]"},
    {"CrAloneWaitsForTheNextByte", "3ff 200\r", ""},
    {"CrOnlyLinesReportAtTheNextLine", "3ff\r200\r\r", "F[0.4990234375]F[0]"},
    {"LfOnlyLines", "200\n300\n\n", "F[0]F[0.25]"},
    {"LfCrLine", "200\n\r", "F[0]"},
    {"EmptyLinesAreHarmless", "\r\n\n\r200\r\n", "F[0]"},
    {"BadTokenDropsTheLineAndTheNextStartsClean", "12 zz 34\n200\n\n", "F[0]"},
    {"NineValuesKeepEight", "200 200 200 200 200 200 200 200 3ff\n\n", "F[0,0,0,0,0.5,0.5,0.5,0.5]"},
    {"ValuesAboveTheFourthAreUnscaled", "0 0 0 0 3ff\n\n", "F[-0.5,-0.5,-0.5,-0.5,0.9990234375]"},
    {"LongHexKeepsItsRealLow16Bits", "fffff0200\n\n", "F[0]"},
    {"UpperCaseHexDigits", "3FF\n\n", "F[0.4990234375]"},
    {"EveryBlankSeparates", "1\t2\v3\f4 \n\n", "F[-0.4990234375,-0.498046875,-0.4970703125,-0.49609375]"},
    {"TxSkipsBlanksAfterTheKeywordAndKeepsInnerOnes", "tx  two words\r", "T:two words"},
    {"TxWithoutTextIsNoEvent", "tx\r", ""},
    {"TxOfBlanksOnlyIsNoEvent", "tx   \r", ""},
    {"KeywordsAreCaseSensitive", "DN Quorvin_H\rSR 100\rFR 0.5\rBL 10\rTX hi\rOV 3\r", ""},
    {"UnknownKeywordsAreIgnored", "zz 12\r12z 4\n\nq\r", ""},
    {"EachMetadataKeywordIsOneEvent", "sr 100\rfr 0.5\rbl 10\rdn telk\rov 2\r", "EEEEE"},
    {"KeywordWithoutArgument", "dn\r", "E"},
    {"ValueFollowedByLetterIsAnUnknownKeyword", "1g 2\n\n", ""},
    {"NulByteEndsNothing", std::string("1\0 2\n\n", 6), ""},
    {"FramesAndTextsInterleave", "tx a\n200\ntx b\n300\n\n", "T:aF[0]T:bF[0.25]"},
};

class TextStream : public ::testing::TestWithParam<StreamCase> {};

} // namespace

TEST_P(TextStream, ParsesToTheExpectedTranscriptByteByByteAndByRuns)
{
    for (const bool byRuns : {false, true}) {
        TextSourceProbe source;
        source.byRuns = byRuns;
        EXPECT_EQ(source.Feed(GetParam().input), GetParam().expected) << byRuns;
    }
}

INSTANTIATE_TEST_SUITE_P(CTextSampleSrc, TextStream, ::testing::ValuesIn(kStreams),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CTextSampleSrc, FcRatioIsClampedAndWhatIsNoNumberCountsAsZero)
{
    const struct {
        const char* line;
        float ratio;
    } cases[] = {{"fr 1.7\r", 1.0f}, {"fr -3\r", 0.0f}, {"fr 0.25\r", 0.25f}, {"fr nan\r", 0.0f},
                 {"fr -nan\r", 0.0f}, {"fr inf\r", 1.0f}, {"fr -inf\r", 0.0f}, {"fr\r", 0.0f},
                 {"fr abc\r", 0.0f}, {"fr 1e999\r", 1.0f}};
    for (const auto& c : cases) {
        TextSourceProbe source;
        EXPECT_EQ(source.Feed(c.line), "E") << c.line;
        EXPECT_EQ(source.FcRatio(), c.ratio) << c.line;
    }
}

TEST(CTextSampleSrc, BaselineIsHexScaledToTheTypeRange)
{
    TextSourceProbe source;
    source.Feed("bl 3ff\r");
    EXPECT_EQ(source.Baseline(), 1023.0f * 16.0f / 1024.0f);
    EXPECT_EQ(source.Feed("bl\r"), "E");
    EXPECT_EQ(source.Baseline(), 0.0f);
    source.Feed("dn telk\rbl 10\r");
    EXPECT_EQ(source.Baseline(), 1.0f);
    source.Feed("bl fffffffffffffffff\r"); // saturates instead of wrapping
    EXPECT_EQ(source.Baseline(), 4294967295.0f * 16.0f / 256.0f);
}

TEST(CTextSampleSrc, RateChangesMoveTheTimeOffsetAndSaturate)
{
    TextSourceProbe source;
    EXPECT_EQ(source.Feed("sr 0\r"), ""); // 0 counts as 1, the current rate
    EXPECT_EQ(source.Feed("sr 200\r"), "E");
    EXPECT_EQ(source.Feed("sr 200\r"), ""); // same rate: nothing
    std::string lines;
    for (int i = 0; i < 500; ++i)
        lines += "200\n";
    source.Feed(lines + "sr 100\r");
    EXPECT_EQ(source.SampleRate(), 100u);
    EXPECT_EQ(source.TimeOffset(), 2.5f);
    EXPECT_EQ(source.SampleCount(), 0u);
    EXPECT_EQ(source.PositionSeconds(), 2.5f);
    source.Feed("sr 99999999999999999999\r");
    EXPECT_EQ(source.SampleRate(), 2147483647u);
    source.Feed("sr -5\r");
    EXPECT_EQ(source.SampleRate(), 1u);
}

TEST(CTextSampleSrc, OverflowCountsLostSamplesOnceAndSaturates)
{
    TextSourceProbe source;
    EXPECT_EQ(source.Feed("ov 5\r"), "E");
    EXPECT_EQ(source.SampleCount(), 5u);
    EXPECT_EQ(source.TakeOverflowCount(), 5u);
    EXPECT_EQ(source.TakeOverflowCount(), 0u);
    source.Feed("ov\rov 0\rov -9\rov x\r");
    EXPECT_EQ(source.TakeOverflowCount(), 4u);
    EXPECT_EQ(source.SampleCount(), 9u);
    source.Feed("ov 2147483647\rov 2147483647\rov 2147483647\r");
    EXPECT_EQ(source.TakeOverflowCount(), 4294967295u);
    EXPECT_EQ(source.SampleCount(), 4294967295u);
}

TEST(CTextSampleSrc, TextLastsOnlyUntilTheNextByte)
{
    TextSourceProbe source;
    EXPECT_EQ(source.Feed("tx b\n"), "T:b");
    source.Feed("tx c\n");
    EXPECT_EQ(source.ParseChar('\n'), 0);
    EXPECT_TRUE(source.TakeText().IsEmpty());
}

TEST(CTextSampleSrc, ScaleFrameWritesAtMostMaxValues)
{
    TextSourceProbe source;
    source.Feed("200 300 3ff\n\n");
    float frame[8] = {7, 7, 7, 7, 7, 7, 7, 7};
    EXPECT_EQ(source.ScaleFrame(frame, 2), 2);
    EXPECT_EQ(frame[1], 0.25f);
    EXPECT_EQ(frame[2], 7.0f);
    EXPECT_EQ(source.ScaleFrame(frame, 0), 0);
}

TEST(CTextSampleSrc, TokensAreCappedAndLongLinesKeepMemoryBounded)
{
    TextSourceProbe source;
    // An argument keeps its first 4 KiB; the rest of its line is dropped.
    const std::string longText(10000, 'w');
    EXPECT_EQ(source.Feed("tx " + longText + "\r"), "T:" + longText.substr(0, CTextProtocol::kMaxToken));
    // A value longer than the cap makes its line bad; the next line is read.
    EXPECT_EQ(source.Feed(std::string(5000, '1') + " 200\n300\n\n"), "F[0.25]");
    // A megabyte without a line end.
    EXPECT_EQ(source.Feed(std::string(1 << 20, 'k')), "");
    EXPECT_EQ(source.Feed("\n200\n\n"), "F[0]");
}

TEST(CTextSampleSrc, LineBoundaryIsBetweenLinesOnly)
{
    TextSourceProbe source;
    EXPECT_TRUE(source.AtLineBoundary());
    source.Feed("12 3");
    EXPECT_FALSE(source.AtLineBoundary());
    source.Feed("4\r");
    EXPECT_TRUE(source.AtLineBoundary());
    source.Feed("tx hello");
    EXPECT_FALSE(source.AtLineBoundary());
    source.Feed("\r");
    EXPECT_TRUE(source.AtLineBoundary());
}
