#include "sources/lines/CLineSerialSrc.h"

#include "sources/lines/CTelkSrc.h"
#include "sources/ports/CSerialPort.h"
#include "tests/sources/FrameCollector.h"
#include "tests/support/PortTestSupport.h"

#include <gtest/gtest.h>

#include <termios.h>
#include <tuple>
#include <unistd.h>

using namespace porttest;

namespace {

class LineSerialTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        queue = MakeQueue();
        pty = OpenPty();
        ASSERT_GE(pty.master, 0);
        PointSerialName("lines", pty.slavePath);
    }
    void TearDown() override
    {
        window.source = nullptr;
        if (pty.master >= 0)
            ::close(pty.master);
        queue->Stop();
    }
    std::unique_ptr<CAsyncLoopThread> queue;
    Pty pty;
    FrameCollector window;
};

} // namespace

TEST(CTelkSrc, BitReversalTable)
{
    for (auto [in, out] : {std::pair{0x01, 0x80}, {0x80, 0x01}, {0xFF, 0xFF}, {0x00, 0x00}, {0x12, 0x48}})
        EXPECT_EQ(CTelkSrc::BitReverse(uint8_t(in)), out) << in;
    for (int b = 0; b < 256; ++b)
        EXPECT_EQ(CTelkSrc::BitReverse(CTelkSrc::BitReverse(uint8_t(b))), b);
}

TEST_F(LineSerialTest, OpenSendsTheRequestsAndParsesTheDeviceLines)
{
    CLineSerialSrc source(&window, queue.get());
    const ScopedSource attached(window, &source, *queue);
    EXPECT_EQ(source.Open(SpecNamed("nothing by this name")), 1);
    ASSERT_EQ(source.Open(SpecNamed("lines")), 0);
    const std::string requests = "DN\nFR 0.3333\nSR 120\nBL\n";
    EXPECT_EQ(ReadExactly(pty.master, requests.size()), requests);
    const std::string device = "dn Quorvin_H\rsr 250\r3ff 200 0 3ff\r\n";
    ASSERT_EQ(::write(pty.master, device.data(), device.size()), ssize_t(device.size()));
    ASSERT_TRUE(window.WaitForFrames(1));
    EXPECT_EQ(window.Frames()[0], (std::vector<float>{0.998046875f, 0.0f, 0.0f, 1023.0f / 1024.0f}));
    EXPECT_EQ(source.SampleRate(), 250u);
    EXPECT_EQ(std::string(source.TypeName().Text()), "Quorvin_H");

    source.SendBaseline();
    EXPECT_EQ(ReadExactly(pty.master, 3), "BL\n");
}

TEST_F(LineSerialTest, AnalyserTurnsBytesIntoBitReversedLinesAndSendsNothing)
{
    CTelkSrc source(&window, queue.get());
    const ScopedSource attached(window, &source, *queue);
    ASSERT_EQ(source.Open(SpecNamed("lines")), 0);
    termios t{};
    ASSERT_EQ(::tcgetattr(pty.master, &t), 0);
    EXPECT_EQ(cfgetospeed(&t), speed_t(B2400));
    EXPECT_FALSE(t.c_cflag & CSTOPB);
    EXPECT_FALSE(t.c_cflag & CRTSCTS);
    EXPECT_EQ(std::string(source.TypeName().Text()), "telk");
    EXPECT_EQ(std::make_tuple(source.SampleRate(), source.FcRatio(), source.Baseline()), std::make_tuple(120u, 0.5f, -1.0f));

    source.SetRate(500);
    source.SendBaseline();
    const uint8_t bytes[] = {0x01, 0xFF, 0x80, 0x00};
    ASSERT_EQ(::write(pty.master, bytes, sizeof bytes), 4);
    ASSERT_TRUE(window.WaitForFrames(3)); // the last line's frame waits for the next byte
    EXPECT_EQ(window.Frames(), (std::vector<std::vector<float>>{{0.0f}, {0.9921875f}, {-0.9921875f}}));
    PumpFor(50ms);
    EXPECT_EQ(ReadExactly(pty.master, 1, 100ms), "") << "the analyser is sent nothing";
}

TEST_F(LineSerialTest, ReopeningTheDeviceByNameResumesTheStream)
{
    CTelkSrc source(&window, queue.get());
    const ScopedSource attached(window, &source, *queue);
    ASSERT_EQ(source.Open(SpecNamed("lines")), 0);
    const uint8_t first[] = {0x01, 0x02};
    ASSERT_EQ(::write(pty.master, first, sizeof first), 2);
    ASSERT_TRUE(window.WaitForFrames(1));
    ::close(pty.master); // unplugged
    pty.master = -1;
    ASSERT_TRUE(PumpUntil([&] { return source.Port()->IsReconnecting(); }));
    pty = OpenPty();
    PointSerialName("lines", pty.slavePath);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(PumpUntil([&] { return source.Port()->IsOpen() && !source.Port()->IsReconnecting(); }));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 3s);
    termios t{};
    ASSERT_EQ(::tcgetattr(pty.master, &t), 0);
    EXPECT_EQ(cfgetospeed(&t), speed_t(B2400)) << "the analyser's speed holds on the new device";
    const uint8_t more[] = {0xFF, 0xFF};
    ASSERT_EQ(::write(pty.master, more, sizeof more), 2);
    ASSERT_TRUE(window.WaitForFrames(3));
    EXPECT_EQ(window.Frames()[2], std::vector<float>{0.9921875f});
}
