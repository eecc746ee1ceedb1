#include "analysis/views/CReadoutScale.h"
#include "analysis/views/FreqAxis.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace {

std::string Texts(const std::vector<FreqAxisLabel>& labels)
{
    std::string out;
    for (const FreqAxisLabel& label : labels)
        out += std::string(label.text.View()) + " ";
    return out;
}

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

} // namespace

TEST(FreqAxis, LinearLabelsEveryTwoDivisions)
{
    FreqAxisInput in;
    in.rate = 44100.0f;
    in.step = 2000.0f;
    const auto labels = FreqAxisLabels(in);
    EXPECT_EQ(Texts(labels), "0Hz 4kHz 8kHz 12kHz 16kHz 20kHz ");
    ASSERT_EQ(labels.size(), 6u);
    EXPECT_DOUBLE_EQ(labels[1].u, 4000.0 / 22050.0);
    EXPECT_EQ(FreqAxisX(labels[1].u, in, 10, 22050), 4010);
}

TEST(FreqAxis, ZoomedLabelsStartInTheVisibleRange)
{
    FreqAxisInput in;
    in.rate = 1000.0f;
    in.fqzm = 4.0f;
    in.fqps = 0.375f;
    in.step = 20.0f;
    // Visible: 187.5 .. 312.5 Hz, a label every 40 Hz.
    EXPECT_EQ(Texts(FreqAxisLabels(in)), "200Hz 240Hz 280Hz ");
    EXPECT_EQ(FreqAxisX(0.375, in, 0, 100), 0);
    EXPECT_EQ(FreqAxisX(0.5, in, 0, 100), 50);
}

TEST(FreqAxis, LogLabelsByDecades)
{
    FreqAxisInput in;
    in.rate = 1000.0f;
    in.logFrequency = true;
    in.ftsx = 8; // 128 bins: the lowest frequency shown is 500 / 128 Hz
    EXPECT_EQ(Texts(FreqAxisLabels(in)), "10 100 ");
    in.fqzm = 2.0f;
    const auto zoomed = FreqAxisLabels(in);
    EXPECT_EQ(zoomed.front().text.View(), "10");
    EXPECT_EQ(zoomed.back().text.View(), "400");
    EXPECT_EQ(zoomed.size(), 13u); // 10..90, 100..400
    for (const FreqAxisLabel& label : zoomed)
        EXPECT_GE(label.u, 0.0);
}

TEST(FreqAxis, BadInputGivesFewOrNoLabelsNeverMillions)
{
    FreqAxisInput in;
    in.rate = 44100.0f;
    in.step = 0.0001f; // would be 10^8 labels
    EXPECT_LE(FreqAxisLabels(in).size(), 256u);
    for (float bad : {0.0f, -1.0f, kNaN}) {
        in.step = 2000.0f;
        in.fqzm = bad; // read as 1
        EXPECT_EQ(FreqAxisLabels(in).size(), 6u) << bad;
        EXPECT_EQ(FreqAxisX(1.0, in, 0, 200), 200) << bad;
        in.fqzm = 1.0f;
        in.rate = bad;
        EXPECT_TRUE(FreqAxisLabels(in).empty()) << bad;
        in.rate = 44100.0f;
        in.step = bad;
        EXPECT_TRUE(FreqAxisLabels(in).empty()) << bad;
    }
    in.step = 2000.0f;
    in.logFrequency = true;
    in.ftsx = 0;
    EXPECT_TRUE(FreqAxisLabels(in).size() < 40u);
}

TEST(FreqAxis, ScrollBarFollowsTheZoom)
{
    const struct {
        float fqzm, fqps;
        int32_t maximum, value;
        float snapped;
    } rows[] = {
        {1.0f, 0.3f, 0, 0, 0.0f},         // whole range: hidden, back to 0
        {4.0f, 0.375f, 30, 15, 0.375f},
        {4.0f, 0.9f, 30, 30, 0.75f},      // past the end: the last page
        {2.0f, 0.26f, 10, 5, 0.25f},      // snapped to the bar's steps
        {0.0f, 0.5f, 0, 0, 0.0f},         // zoom 0 reads as 1
        {kNaN, kNaN, 0, 0, 0.0f},
        {-3.0f, 0.1f, 0, 0, 0.0f},
    };
    for (const auto& row : rows) {
        const FreqScroll bar = FreqScrollBar(row.fqzm, row.fqps);
        EXPECT_EQ(bar.maximum, row.maximum) << row.fqzm;
        EXPECT_EQ(bar.value, row.value) << row.fqzm;
        EXPECT_FLOAT_EQ(bar.fqps, row.snapped) << row.fqzm;
    }
}

TEST(CReadoutScale, MapsCursorsToFieldsAndBack)
{
    const CReadoutScale readout{0.5f, 200.0f, -100.0f, 100.0f, 1};
    EXPECT_FLOAT_EQ(readout.Shown(0.75f), 50.0f);
    EXPECT_FLOAT_EQ(readout.Step(), 0.1f);
    const struct {
        float n, c;
    } edits[] = {{-100.0f, 0.0f}, {100.0f, 1.0f}, {0.0f, 0.5f}, {-500.0f, 0.0f}, {500.0f, 1.0f}, {kNaN, 0.0f}};
    for (const auto& edit : edits)
        EXPECT_FLOAT_EQ(CReadoutScale::CursorOf(edit.n, -100.0f, 100.0f), edit.c) << edit.n;
    EXPECT_EQ(CReadoutScale::CursorOf(3.0f, 5.0f, 5.0f), 0.0f) << "an empty range";
}

TEST(CReadoutScale, DecimalsFollowTheResolution)
{
    // 1/1024: -round(-3.01) = 3; 0.098: -round(-1.01); 4.9: negative decimals become 0; no
    // logarithm of 0 or below; bits beyond 64 are capped.
    const struct {
        float range;
        uint32_t bits;
        int decimals;
    } rows[] = {{1.0f, 10, 3}, {100.0f, 10, 1}, {5000.0f, 10, 0}, {1.0f, 0, 0}, {0.0f, 10, 0}, {-1.0f, 10, 0}, {1.0f, 200, 3}};
    for (const auto& r : rows)
        EXPECT_EQ(ReadoutDecimals(r.range, r.bits), r.decimals) << r.range << " " << r.bits;
}
