#include "sources/text/CTextFileSrc.h"
#include "tests/foundation/TempFiles.h"
#include "tests/sources/SourceTestLoop.h"
#include "tests/support/WaitFor.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

using namespace std::chrono_literals;

namespace {

using Frames = std::vector<std::vector<float>>;

void Append(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary | std::ios::app) << bytes; }

// `count` sample lines whose first value counts up from `first`.
std::string SampleLines(const char* end, uint32_t count, uint32_t first = 0)
{
    std::string text;
    char line[32];
    for (uint32_t i = 0; i < count; ++i) {
        std::snprintf(line, sizeof line, "%x 80%s", (first + i) & 0xFF, end);
        text += line;
    }
    return text;
}

// A record file of the "telk" type: header, then sample lines.
std::string RecordText(const char* end, uint32_t rate, uint32_t count)
{
    std::string text = std::string("dn telk") + end + "fr 0.5" + end;
    if (rate > 0)
        text += "sr " + std::to_string(rate) + end;
    return text + SampleLines(end, count);
}

// Unpaced frames, events skipped, until the end or `limit` frames.
Frames ReadNextFrames(CSampleSrc& source, size_t limit = 1000000)
{
    Frames frames;
    float frame[4];
    while (frames.size() < limit) {
        const int32_t n = source.ReadNext(frame, 4);
        if (n == 0)
            break;
        if (n > 0)
            frames.emplace_back(frame, frame + n);
    }
    return frames;
}

class CTextFileSrcTest : public ::testing::Test {
protected:
    void OpenRecord(const std::string& bytes, const char* name = "record.tks")
    {
        fPath = TempPath(name);
        WriteAll(fPath, bytes);
        ASSERT_EQ(fSource.Open(fPath.c_str()), 0);
    }

    SourceTestLoop fLoop;
    PullingWindow fWindow;
    CTextFileSrc fSource{&fWindow, &fLoop.queue};
    std::string fPath;

    void SetUp() override { fWindow.source = &fSource; }
};

class LineEnds : public CTextFileSrcTest, public ::testing::WithParamInterface<const char*> {};

} // namespace

TEST_F(CTextFileSrcTest, PlaysAtTheRateOfTheHeaderOrOneFrameASecondWithout)
{
    OpenRecord(RecordText("\r\n", 120, 1000));
    fSource.Play();
    EXPECT_TRUE(fSource.IsPlaying());
    fLoop.RunFor(100);
    EXPECT_NEAR(double(fWindow.frames.size()), 12.0, 1.0);
    fLoop.RunFor(900);
    EXPECT_NEAR(double(fWindow.frames.size()), 120.0, 1.0);
    EXPECT_EQ(fSource.SampleRate(), 120u);
    EXPECT_EQ(fSource.FcRatio(), 0.5f);
    EXPECT_EQ(fSource.TypeName(), "telk");
    ASSERT_FALSE(fWindow.frames.empty());
    EXPECT_EQ(fWindow.frames[0], (std::vector<float>{-1.0f, 0.0f}));
    EXPECT_EQ(fWindow.frames[1][0], -1.0f + 2.0f / 256.0f);
    fSource.Close();
    fWindow.frames.clear();
    OpenRecord(RecordText("\r\n", 0, 10), "norate.tks"); // without a rate line one frame leaves per second
    fSource.Play();
    fLoop.RunFor(3500);
    EXPECT_NEAR(double(fWindow.frames.size()), 3.0, 1.0);
}

TEST_F(CTextFileSrcTest, StopHoldsTheFramesPlayGoesOnAndCloseForgetsThePosition)
{
    OpenRecord(RecordText("\r\n", 100, 500));
    fSource.Play();
    fLoop.RunFor(200);
    fSource.Stop();
    const size_t held = fWindow.frames.size();
    fLoop.RunFor(500);
    EXPECT_EQ(fWindow.frames.size(), held);
    fSource.Play();
    fLoop.RunFor(100);
    EXPECT_NEAR(double(fWindow.frames.size() - held), 10.0, 1.0);
    EXPECT_EQ(fWindow.frames[held][0], fWindow.frames[held - 1][0] + 2.0f / 256.0f);
    fSource.Close(); // forgets the position and stops the timer
    EXPECT_FALSE(fSource.IsPlaying());
    EXPECT_EQ(fSource.PositionSeconds(), 0.0f);
    const size_t closed = fWindow.frames.size();
    fLoop.RunFor(200);
    EXPECT_EQ(fWindow.frames.size(), closed);
    ASSERT_EQ(fSource.Open(fPath.c_str()), 0);
    EXPECT_EQ(ReadNextFrames(fSource).size(), 500u);
}

TEST_F(CTextFileSrcTest, ExactSeekInsideLostSamplesRepeatsTheCurrentFrame)
{
    // 100 samples, 50 lost, 100 more: 1.0 s .. 1.5 s has no data.
    std::string text = RecordText("\r\n", 100, 100);
    text += "ov 50\r\n" + SampleLines("\r\n", 100, 100);
    OpenRecord(text);
    fSource.SeekSeconds(true, 1.234f);
    EXPECT_GE(fSource.PositionSeconds(), 1.234f);
    EXPECT_LT(fSource.PositionSeconds(), 1.234f + 0.01f);
    const Frames frames = ReadNextFrames(fSource, 27);
    ASSERT_EQ(frames.size(), 27u);
    for (size_t i = 0; i < 26; ++i)
        EXPECT_EQ(frames[i][0], frames[0][0]) << i; // the last frame before the gap
    EXPECT_EQ(frames[26][0], -1.0f + 2.0f * 100 / 256.0f);
    EXPECT_FLOAT_EQ(fSource.PositionSeconds(), 1.51f);
}

TEST_F(CTextFileSrcTest, SeekBackwardsReadsFromTheStartAgain)
{
    OpenRecord(RecordText("\n", 10, 100));
    fSource.SeekSeconds(false, 5.0f);
    EXPECT_FLOAT_EQ(fSource.PositionSeconds(), 5.0f);
    fSource.SeekSeconds(false, 1.0f);
    EXPECT_FLOAT_EQ(fSource.PositionSeconds(), 1.0f);
    const Frames frames = ReadNextFrames(fSource, 1);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0][0], -1.0f + 2.0f * 10 / 256.0f);
    fSource.SeekSeconds(false, 3.4028235e38f); // parks at the end
    EXPECT_TRUE(ReadNextFrames(fSource).empty());
}

TEST_F(CTextFileSrcTest, DurationIsTheWholeFileWhateverThePositionAndFollowsItsGrowth)
{
    OpenRecord(RecordText("\r\n", 120, 72000));
    ASSERT_TRUE(WaitFor([&] { return fSource.DurationKnown(); }, 10s));
    EXPECT_EQ(fSource.DurationSeconds(), 600.0f);
    fSource.SeekSeconds(false, 100.0f);
    EXPECT_EQ(fSource.DurationSeconds(), 600.0f);
    EXPECT_FLOAT_EQ(fSource.PositionSeconds(), 100.0f);
    OpenRecord(RecordText("\r\n", 10, 20), "growing.tks");
    ASSERT_TRUE(WaitFor([&] { return fSource.DurationSeconds() == 2.0f; }, 10s));
    Append(fPath, "1 2\r\n3 4\r\n");
    EXPECT_TRUE(WaitFor([&] { return fSource.DurationSeconds() == 2.2f; }, 10s)) << fSource.DurationSeconds();
}

TEST_F(CTextFileSrcTest, DurationReadsZeroUntilCountedAndCloseStopsTheCount)
{
    // One endless line: no frame ever ends, so the count reads to the end of the file.
    const std::string line(8u << 20, '1');
    for (int round = 0; round < 3; ++round) {
        OpenRecord("dn telk\nsr 100\n1 2\n" + line);
        const float early = fSource.DurationSeconds();
        if (!fSource.DurationKnown()) {
            EXPECT_EQ(early, 0.0f) << "the duration reads 0 until it is known";
        }
        fSource.Close();   // joins the counting thread, wherever it is
        EXPECT_FALSE(fSource.DurationKnown());
        EXPECT_EQ(fSource.DurationSeconds(), 0.0f);
    }
    OpenRecord("dn telk\nsr 100\n1 2\n" + line);
    ASSERT_TRUE(WaitFor([&] { return fSource.DurationKnown(); }, 10s));
    EXPECT_FLOAT_EQ(fSource.DurationSeconds(), 0.01f);
    float frame[4];
    EXPECT_GT(fSource.ReadNext(frame, 4), 0) << "the frame before the endless line plays";
}

TEST_F(CTextFileSrcTest, AHeaderIsLookedForOnlyNearTheStart)
{
    // No line ends within the first bytes: opening does not read the file to its end, and
    // the frames behind still play.
    const std::string filler(CTextFileSrc::kHeaderBytes * 3, ' ');
    OpenRecord("dn telk\r\nfr 0.5\r\nsr 50\r\n" + filler + "10 80\r\n");
    EXPECT_EQ(fSource.SampleRate(), 50u);
    const Frames frames = ReadNextFrames(fSource);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0][0], -1.0f + 2.0f * 0x10 / 256.0f);
}

TEST_P(LineEnds, SavedPositionGivesTheSameFramesAgain)
{
    OpenRecord(RecordText(GetParam(), 50, 300));
    const Frames all = ReadNextFrames(fSource);
    for (const float seconds : {0.0f, 0.02f, 1.0f, 2.5f, 5.9f}) {
        fSource.SeekSeconds(false, seconds);
        CSourcePosition position;
        fSource.GetPositionFrames(position);
        const float at = fSource.PositionSeconds();
        const Frames first = ReadNextFrames(fSource, 5);
        fSource.SeekFrames(position);
        EXPECT_EQ(fSource.PositionSeconds(), at);
        EXPECT_EQ(ReadNextFrames(fSource, 5), first) << seconds;
        // The frames are those of a reading from the start.
        const size_t index = size_t(std::lround(at * 50.0f));
        ASSERT_LE(index + first.size(), all.size());
        EXPECT_EQ(first, Frames(all.begin() + long(index), all.begin() + long(index + first.size()))) << seconds;
    }
}

TEST_P(LineEnds, ActiveSourceLoopsToTheFirstFrameWithTheHeaderSettings)
{
    // The middle of the file changes type and rate; a loop must bring the header's back.
    std::string text = RecordText(GetParam(), 100, 10);
    text += std::string("dn generic_sound") + GetParam() + "sr 50" + GetParam();
    text += SampleLines(GetParam(), 10, 10);
    OpenRecord(text);
    fSource.SetActive(true);
    fSource.Play();
    fLoop.RunFor(600); // both parts played; the end was met
    const size_t perPass = fWindow.frames.size();
    // The last line of a file is complete only when a CR LF ends it.
    EXPECT_EQ(perPass, std::string(GetParam()) == "\r\n" ? 20u : 19u);
    EXPECT_EQ(fSource.TypeName(), "telk");
    EXPECT_EQ(fSource.SampleRate(), 100u);
    fLoop.RunFor(1500); // the pause, then the second pass
    ASSERT_GE(fWindow.frames.size(), 2 * perPass);
    const Frames firstPass(fWindow.frames.begin(), fWindow.frames.begin() + long(perPass));
    const Frames secondPass(fWindow.frames.begin() + long(perPass), fWindow.frames.begin() + long(2 * perPass));
    EXPECT_EQ(secondPass, firstPass);
    for (size_t i = 0; i < 10; ++i)
        EXPECT_EQ(firstPass[i], (std::vector<float>{-1.0f + 2.0f * float(i) / 256.0f, 0.0f})) << i;
}

INSTANTIATE_TEST_SUITE_P(CTextFileSrc, LineEnds, ::testing::Values("\r", "\n", "\r\n"),
                         [](const auto& info) {
                             const std::string end = info.param;
                             return end == "\r" ? std::string("Cr") : end == "\n" ? std::string("Lf") : std::string("CrLf");
                         });

TEST_F(CTextFileSrcTest, InactiveSourcePlaysWhatIsAppendedToItsFile)
{
    OpenRecord(RecordText("\r\n", 100, 5));
    fSource.Play();
    fLoop.RunFor(2000);
    EXPECT_EQ(fWindow.frames.size(), 5u);
    Append(fPath, "10 80\r\n11 80\r\n12 80\r\n");
    fLoop.RunFor(1100);
    ASSERT_EQ(fWindow.frames.size(), 8u);
    EXPECT_EQ(fWindow.frames[7][0], -1.0f + 2.0f * 0x12 / 256.0f);
}

TEST_F(CTextFileSrcTest, PlaybackGoesOnWhenNobodyConsumesItsData)
{
    std::string text = "sr 10\r\n";
    for (int i = 0; i < 20; ++i)
        text += "bl 1\r\ntx note\r\n200\r\n";
    OpenRecord(text);
    fWindow.source = nullptr; // the window ignores this source: its data is drained
    fSource.Play();
    fLoop.RunFor(3000);
    EXPECT_EQ(fSource.SampleCount(), 20u);
    EXPECT_TRUE(fWindow.frames.empty());
}

TEST_F(CTextFileSrcTest, LostSamplesAreCountedOnceByUnpacedReading)
{
    OpenRecord(RecordText("\r\n", 10, 5) + "ov 3\r\n" + "1 1\r\n2 2\r\n");
    const Frames frames = ReadNextFrames(fSource);
    ASSERT_EQ(frames.size(), 10u); // 5, the last one three times more, 2
    EXPECT_EQ(frames[5], frames[4]);
    EXPECT_EQ(frames[7], frames[4]);
    EXPECT_FLOAT_EQ(fSource.PositionSeconds(), 1.0f);
}

TEST_F(CTextFileSrcTest, MissingFileFailsAndLeavesTheSourceClosed)
{
    EXPECT_NE(fSource.Open(TempPath("no such file.tks").c_str()), 0);
    EXPECT_FALSE(fSource.IsOpen());
    fSource.Play();
    EXPECT_FALSE(fSource.IsPlaying());
    float frame[4];
    EXPECT_EQ(fSource.ReadNext(frame, 4), 0);
    EXPECT_EQ(fSource.DurationSeconds(), 0.0f);
}

TEST_F(CTextFileSrcTest, PlaybackOnTheQueueThreadSurvivesControlFromTheMainThread)
{
    OpenRecord(RecordText("\r\n", 1000, 20000));
    std::atomic<bool> done{false};
    std::atomic<int> passes{0};
    // The dispatch thread: fires the queue's timers under the queue lock, as the real one does.
    std::thread dispatch([&] {
        while (!done.load()) {
            {
                LAsyncQueueLock lock(fLoop.queue);
                fLoop.queue.FireDueTimers();
            }
            ++passes;
            std::this_thread::yield();
        }
    });
    fSource.SetActive(true);
    fSource.Play();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    for (int ms = 0; ms < 3000; ++ms) {
        fLoop.clock.AdvanceMs(1);
        // Let the dispatch thread make a pass at this time (bounded: a stuck thread fails).
        const int seen = passes.load();
        while (passes.load() < seen + 2 && std::chrono::steady_clock::now() < deadline)
            std::this_thread::yield();
        fLoop.queue.Drain();
        FireDueTimers();
        if (ms % 97 == 0)
            fSource.Stop();
        if (ms % 97 == 5)
            fSource.Play();
        if (ms % 500 == 250)
            fSource.SeekSeconds(ms % 1000 == 250, float(ms % 7));
        if (ms == 1500) {
            EXPECT_EQ(fSource.Open(fPath.c_str()), 0);
        }
        if (ms % 300 == 0 && fSource.DurationKnown()) {
            EXPECT_EQ(fSource.DurationSeconds(), 20.0f);
        }
    }
    fSource.Close();
    done = true;
    dispatch.join();
    LAsyncQueueLock lock(fLoop.queue);
    EXPECT_GT(fWindow.frames.size(), 1000u);
    for (const auto& frame : fWindow.frames)
        ASSERT_EQ(frame.size(), 2u);
}
