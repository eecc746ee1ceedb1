#include "StepQueue.h"
#include "outputs/dmx/CDmxUsbIo.h"
#include "outputs/dmx/DmxUsbPackets.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

namespace {

std::vector<uint8_t> Packed(const std::vector<uint8_t>& frame)
{
    std::vector<uint8_t> out(DmxUsbPackets::PackedSize(uint32_t(frame.size())));
    EXPECT_EQ(DmxUsbPackets::Pack(frame.data(), uint32_t(frame.size()), out.data()), out.size());
    return out;
}

// A device whose input is fed straight to its unpacker; every finished frame lands in the
// frames queued for input.
class UnpackRig : public ::testing::Test {
protected:
    UnpackRig()
    {
        for (auto& frame : fFrames) {
            frame.SetCompletion(this, &Done);
            fIo.QueueRead(&frame);
        }
    }
    static void Done(void* context, CDmxFrame* frame)
    {
        auto* self = static_cast<UnpackRig*>(context);
        std::vector<uint8_t> bytes(frame->Size());
        frame->CopyOut(bytes.data(), frame->Size());
        self->fReceived.push_back(bytes);
    }
    void Feed(const std::vector<uint8_t>& packet)
    {
        LAsyncQueueLock lock(fQueue);
        fIo.Unpack(packet.data(), uint32_t(packet.size()));
    }
    // A whole frame as the interface sends it: in packets of 64 bytes.
    void FeedFrame(const std::vector<uint8_t>& frame)
    {
        const std::vector<uint8_t> out = Packed(frame);
        for (size_t at = 0; at < out.size(); at += 64)
            Feed(std::vector<uint8_t>(out.begin() + at, out.begin() + std::min(out.size(), at + 64)));
    }

    StepQueue fQueue;
    CDmxFrame fFrames[4]; // outlive the device whose queue they wait in
    CDmxUsbIo fIo{nullptr, &fQueue};
    std::vector<std::vector<uint8_t>> fReceived;
};

} // namespace

TEST(DmxUsbPackets, FullFrameTakesTenPacketsOf588Bytes)
{
    std::vector<uint8_t> frame(513);
    std::iota(frame.begin(), frame.end(), uint8_t(0));
    const std::vector<uint8_t> out = Packed(frame);
    ASSERT_EQ(out.size(), 588u);
    size_t next = 0;
    for (size_t packet = 0; packet < out.size(); packet += 64) {
        EXPECT_EQ(out[packet], 0x00) << packet;
        for (size_t group = packet + 1; group < std::min(out.size(), packet + 64); group += 9) {
            EXPECT_EQ(out[group], packet == 0 && group == 1 ? 1 : 0) << group;
            for (size_t i = group + 1; i < std::min(out.size(), group + 9); ++i)
                EXPECT_EQ(out[i], frame[next++]) << i;
        }
    }
    EXPECT_EQ(next, 513u);
    EXPECT_EQ(Packed({0x00}), (std::vector<uint8_t>{0x00, 0x01, 0x00}));
    EXPECT_EQ(Packed({0xCC}), (std::vector<uint8_t>{0x00, 0x01, 0xCC}));
    for (const auto& [frame, packed] : {std::pair{56u, 64u}, {57u, 67u}, {9u, 12u}})
        EXPECT_EQ(DmxUsbPackets::PackedSize(frame), packed) << frame;
}

TEST_F(UnpackRig, BytesBeforeAStartFlagAreDropped)
{
    Feed({0x00, 0x00, 9, 9, 9, 9, 9, 9, 9, 9, 0x04, 7, 7, 0, 1, 2});
    EXPECT_TRUE(fReceived.empty());
    Feed({0x00, 0x01, 0x00, 3, 4}); // a new start finishes the frame under way
    ASSERT_EQ(fReceived.size(), 1u);
    EXPECT_EQ(fReceived[0], (std::vector<uint8_t>{0, 1, 2}));
}

TEST_F(UnpackRig, FramesContinueAcrossPacketsAndEndAt513WithStartCodeZero)
{
    std::vector<uint8_t> frame(513, 0);
    for (size_t i = 1; i < frame.size(); ++i)
        frame[i] = uint8_t(i * 7);
    FeedFrame(frame);
    ASSERT_EQ(fReceived.size(), 1u);
    EXPECT_EQ(fReceived[0], frame);
}

TEST_F(UnpackRig, FullFrameOfAnotherStartCodeWaitsForTheNextStart)
{
    std::vector<uint8_t> frame(513, 0x55);
    frame[0] = 0x17;
    FeedFrame(frame);
    Feed({0x00, 0x00, 0x66}); // a byte beyond 513 is dropped
    EXPECT_TRUE(fReceived.empty());
    Feed({0x00, 0x01, 0x00});
    ASSERT_EQ(fReceived.size(), 1u);
    EXPECT_EQ(fReceived[0], frame);
}

TEST_F(UnpackRig, SeveralStartsInOneGroupAndShortPackets)
{
    // Bits 0, 2 and 3 start frames: {1, 2}, {3}, {4, 5, 6}; the last one waits.
    Feed({0x00, 0x0D, 1, 2, 3, 4, 5, 6});
    EXPECT_EQ(fReceived, (std::vector<std::vector<uint8_t>>{{1, 2}, {3}}));
    Feed({0x00});
    Feed({});
    Feed({0x00, 0x01});
    EXPECT_EQ(fReceived.size(), 2u);
}
