#include "sources/audio/CAudioInHolder.h"
#include "sources/audio/CAudioUnitIO.h"
#include "platform/audio/ManualAudioDriver.h"
#include "tests/sources/LockedStepQueue.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Sink {
    std::vector<uint8_t> bytes;
    std::vector<uint32_t> counts;
    static void Take(void* context, const uint8_t* data, uint32_t count)
    {
        auto* self = static_cast<Sink*>(context);
        self->bytes.insert(self->bytes.end(), data, data + count);
        self->counts.push_back(count);
    }
};

// 24-bit little-endian stereo of the simulated tone: every sample's lowest byte is 0 and both
// channels carry the same value, so a frame split or shifted anywhere shows at once.
void ExpectWholeToneFrames(const Sink& sink)
{
    for (uint32_t count : sink.counts)
        ASSERT_EQ(count % 6, 0u);
    for (size_t i = 0; i + 5 < sink.bytes.size(); i += 6) {
        ASSERT_EQ(sink.bytes[i], 0) << i;
        ASSERT_EQ(sink.bytes[i + 3], 0) << i;
        ASSERT_EQ(sink.bytes[i + 1], sink.bytes[i + 4]) << i;
        ASSERT_EQ(sink.bytes[i + 2], sink.bytes[i + 5]) << i;
    }
}

class CAudioUnitIOTest : public testing::Test {
protected:
    plat::ManualAudioDriver driver;
    LockedStepQueue queue;
    Sink sink;
};

TEST_F(CAudioUnitIOTest, TwentyFourBitFramesWrapWholeThroughTheRingAndALaggingConsumerNeverSplitsThem)
{
    CAudioUnitIO unit(&queue);
    ASSERT_EQ(unit.Open("", "", CSampleFormat(44100, 2, 24, 1, 0)), 0);
    EXPECT_EQ(unit.BytesPerFrame(), 6u);
    unit.SetConsumer(&sink, Sink::Take);
    unit.Start();
    // 1 s in 10 ms steps, drained after each: the ring wraps many times.
    for (int i = 0; i < 100; ++i) {
        driver.AdvanceMs(10);
        queue.DeliverSignals();
    }
    EXPECT_EQ(sink.bytes.size(), 44100u * 6);
    ExpectWholeToneFrames(sink);
    sink = Sink{};
    driver.AdvanceMs(1000); // far more than the ring holds: input is lost
    queue.DeliverSignals();
    EXPECT_EQ(sink.bytes.size(), 32766u - 32766u % 6);
    ExpectWholeToneFrames(sink);
    driver.AdvanceMs(100);
    queue.DeliverSignals();
    EXPECT_GT(sink.bytes.size(), 32766u);
    ExpectWholeToneFrames(sink);
}

TEST_F(CAudioUnitIOTest, VolumeIsClampedAndNamesMustNameAnInput)
{
    CAudioUnitIO unit(nullptr);
    EXPECT_EQ(unit.GetVolume(), 100);
    EXPECT_EQ(unit.Open("no such input", "", CSampleFormat()), 1);
    ASSERT_EQ(unit.Open("sim:silence", "", CSampleFormat(0, 2, 16, 1, 0)), 0);
    EXPECT_EQ(unit.Format().rate, 44100u);   // no rate asked: the device's
    unit.SetVolume(150);
    EXPECT_EQ(unit.GetVolume(), 100);
    unit.SetVolume(-5);
    EXPECT_EQ(unit.GetVolume(), 0);
    unit.Close();
    unit.SetVolume(37);
    EXPECT_EQ(unit.GetVolume(), 37);
}

TEST_F(CAudioUnitIOTest, WithoutAQueueTheConsumerHearsAtOnceAndPlayThroughSounds)
{
    CAudioInHolder holder(nullptr);
    ASSERT_EQ(holder.Open("", "", CSampleFormat(8000, 1, 16, 1, 0)), 0);
    EXPECT_EQ(holder.Open("", "", CSampleFormat()), 0);   // already made
    holder.SetConsumer(&sink, Sink::Take);
    holder.Unit()->SetPlayThrough(true);
    holder.Start();
    driver.AdvanceMs(500);
    EXPECT_EQ(sink.bytes.size(), 4000u * 2);
    EXPECT_GT(driver.FramesPlayed(), 3000u);   // the input, played through
    holder.Close();
    EXPECT_EQ(holder.Unit(), nullptr);
    driver.AdvanceMs(100);
    EXPECT_EQ(sink.bytes.size(), 4000u * 2);
}

} // namespace
