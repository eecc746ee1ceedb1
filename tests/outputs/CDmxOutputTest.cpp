#include "StepQueue.h"
#include "outputs/dmx/CDmxOutput.h"
#include "platform/devices/TestDeviceBackend.h"
#include "platform/usb/SimDmxInterface.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <tuple>
#include <thread>
#include <vector>

namespace {

using Frame = std::vector<uint8_t>;

Frame Levels(std::initializer_list<std::pair<uint32_t, uint8_t>> slots, uint8_t startCode = 0)
{
    Frame frame(513, 0);
    frame[0] = startCode;
    for (const auto& [slot, level] : slots)
        frame[slot] = level;
    return frame;
}

class CDmxOutputTest : public ::testing::Test {
protected:
    void Plug()
    {
        fInterface.PlugInto(fBackend);
        fQueue.Settle();
    }
    // The ms from now until the interface receives its next frame (at most `limit`).
    uint32_t MsToNextFrame(uint32_t limit = 1000)
    {
        const size_t before = fInterface.FrameCount();
        for (uint32_t ms = 0; ms <= limit; ++ms) {
            if (fInterface.FrameCount() > before)
                return ms;
            fQueue.RunFor(fClock.clock(), 1);
        }
        return limit + 1;
    }
    Frame LastFrame()
    {
        auto frames = fInterface.TakeFrames();
        return frames.empty() ? Frame() : frames.back();
    }

    plat::ScopedVirtualClock fClock{20000};
    StepQueue fQueue;
    plat::DeviceRegistry fRegistry;
    plat::TestDeviceBackend fBackend{fRegistry};
    plat::SimDmxInterface fInterface{"dmx-test"};
    CDmxOutput fOutput{nullptr, &fQueue, fRegistry};
};

} // namespace

TEST_F(CDmxOutputTest, ChannelLevelsAreTruncatedAndClamped)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const CDmxFrame& out = fOutput.OutFrame();
    EXPECT_EQ(out.Size(), 513u);
    const std::pair<float, int> eight[] = {{1.0f, 255}, {0.5f, 127}, {-0.2f, 0}, {nan, 0}, {inf, 255}};
    for (uint32_t k = 0; k < std::size(eight); ++k) {
        fOutput.SetChannel8(k + 1, eight[k].first);
        EXPECT_EQ(out.Get(k + 1), eight[k].second) << eight[k].first;
    }
    fOutput.SetChannel8(513, 1.0f); // beyond the frame: ignored
    // Two slots, the second full while the first is above 0.
    const std::tuple<float, int, int> sixteen[] = {{1.0f, 255, 255}, {0.5f, 127, 255}, {-inf, 0, 0}};
    for (const auto& [level, first, second] : sixteen) {
        fOutput.SetChannel16(10, level);
        EXPECT_EQ((std::array<int, 2>{out.Get(10), out.Get(11)}), (std::array<int, 2>{first, second})) << level;
    }
    fOutput.SetChannel16(512, 1.0f); // only the high byte fits
    EXPECT_EQ(out.Get(512), 255);
    fOutput.SetChannel(7, 42);
    EXPECT_EQ(out.Get(7), 42);
}

TEST_F(CDmxOutputTest, RefreshStartsAfter100MsThenEvery33Ms)
{
    EXPECT_FALSE(fOutput.IsOpen());
    Plug();
    ASSERT_TRUE(fOutput.IsOpen());
    EXPECT_EQ(MsToNextFrame(), 100u);
    EXPECT_EQ(MsToNextFrame(), 33u);
    EXPECT_EQ(MsToNextFrame(), 33u);
    fOutput.SetChannel8(1, 1.0f);
    EXPECT_EQ(MsToNextFrame(), 33u);
    EXPECT_EQ(LastFrame(), Levels({{1, 255}}));
    EXPECT_EQ(fInterface.BadWrites(), 0u);
}

TEST_F(CDmxOutputTest, InputMergesSlotBySlotAndDelaysTheRefresh)
{
    Plug();
    fQueue.RunFor(fClock.clock(), 150);
    fOutput.SetChannel8(1, 1.0f);
    fOutput.SetChannel(2, 10);
    fInterface.TakeFrames();
    fInterface.SendInputFrame(Levels({{2, 200}, {3, 30}}));
    fQueue.Settle();
    // The input frame is merged and sent at once: the higher value wins in every slot.
    EXPECT_EQ(LastFrame(), Levels({{1, 255}, {2, 200}, {3, 30}}));
    EXPECT_EQ(MsToNextFrame(), 100u);
    EXPECT_EQ(MsToNextFrame(), 33u);
    // A short input frame ends where the next one starts, and counts 0 beyond its size.
    fInterface.TakeFrames();
    fInterface.SendInputFrame({0, 5});
    fInterface.SendInputFrame(Levels({{6, 66}}));
    fQueue.Settle();
    const auto frames = fInterface.TakeFrames();
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0], Levels({{1, 255}, {2, 10}}));
    EXPECT_EQ(frames[1], Levels({{1, 255}, {2, 10}, {6, 66}}));
}

TEST_F(CDmxOutputTest, OtherStartCodeIsPassedOnceAndNeverMergedAsLevels)
{
    Plug();
    fQueue.RunFor(fClock.clock(), 150);
    fInterface.SendInputFrame(Levels({{4, 44}}));
    fQueue.Settle();
    fInterface.TakeFrames();
    const Frame special = {0xCC, 0xF0, 0xF1, 0xF2};
    fInterface.SendInputFrame(special);
    fInterface.SendInputPacket({0x00, 0x01, 0x00}); // the start of the next frame ends it
    fQueue.Settle();
    const auto frames = fInterface.TakeFrames();
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0], special);
    EXPECT_EQ(MsToNextFrame(), 100u);
    EXPECT_EQ(LastFrame(), Levels({{4, 44}})); // levels of the last start-code-0 frame only
}

TEST_F(CDmxOutputTest, UnplugClosesAndReplugReopens)
{
    Plug();
    fQueue.RunFor(fClock.clock(), 200);
    ASSERT_GT(fInterface.FrameCount(), 0u);
    fInterface.UnplugFrom(fBackend);
    fQueue.Settle();
    EXPECT_FALSE(fOutput.IsOpen());
    fInterface.TakeFrames();
    fQueue.RunFor(fClock.clock(), 300);
    EXPECT_EQ(fInterface.FrameCount(), 0u);

    fOutput.SetChannel8(9, 1.0f);
    Plug();
    EXPECT_TRUE(fOutput.IsOpen());
    EXPECT_EQ(fInterface.Device().OpenCount(), 2u);
    EXPECT_EQ(MsToNextFrame(), 100u);
    EXPECT_EQ(LastFrame(), Levels({{9, 255}}));
}

TEST_F(CDmxOutputTest, AFailedWriteClosesAndReopensAtOnce)
{
    Plug();
    fQueue.RunFor(fClock.clock(), 120);
    fInterface.Device().FailNext(plat::SimDmxInterface::kOutPipe);
    fQueue.RunFor(fClock.clock(), 40);
    EXPECT_TRUE(fOutput.IsOpen());
    EXPECT_EQ(fInterface.Device().OpenCount(), 2u);
}

TEST_F(CDmxOutputTest, HeldInterfaceStaysClosed)
{
    fInterface.Device().SetHeldElsewhere(true);
    Plug();
    EXPECT_FALSE(fOutput.IsOpen());
    fQueue.RunFor(fClock.clock(), 200);
    EXPECT_EQ(fInterface.FrameCount(), 0u);
}

TEST_F(CDmxOutputTest, FadersWriteFromTwoThreadsWhileTheRefreshRuns)
{
    Plug();
    std::atomic<bool> stop{false};
    auto writer = [this, &stop](uint32_t first) {
        for (uint32_t round = 0; !stop.load(); ++round)
            for (uint32_t ch = first; ch < first + 256; ++ch)
                fOutput.SetChannel8(ch, float(round % 2));
    };
    std::thread a(writer, 1);
    std::thread b(writer, 257);
    fQueue.RunFor(fClock.clock(), 300);
    stop.store(true);
    a.join();
    b.join();
    for (const Frame& frame : fInterface.TakeFrames()) {
        ASSERT_EQ(frame.size(), 513u);
        for (size_t k = 1; k < frame.size(); ++k)
            ASSERT_TRUE(frame[k] == 0 || frame[k] == 255);
    }
}
