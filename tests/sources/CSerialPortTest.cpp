#include "sources/ports/CSerialPort.h"

#include "foundation/async/LAsyncQueue.h"
#include "platform/io/Serial.h"
#include "sources/ports/CSerialPortList.h"
#include "tests/support/PortTestSupport.h"

#include <gtest/gtest.h>

#include <termios.h>
#include <unistd.h>

using namespace porttest;

namespace {

class CSerialPortTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        queue = MakeQueue();
        pty = OpenPty();
        ASSERT_GE(pty.master, 0);
        PointSerialName("alpha", pty.slavePath);
        port.reset(MakeSerialPort(&log, queue.get()));
    }
    void TearDown() override
    {
        port.reset();
        if (pty.master >= 0)
            ::close(pty.master);
        queue->Stop();
    }
    std::unique_ptr<CAsyncLoopThread> queue;
    Pty pty;
    MessageLog log;
    std::unique_ptr<CSerialPort> port;
};

} // namespace

TEST(SerialDevice, OpensRawNonBlockingAndExclusive)
{
    Pty pty = OpenPty();
    ASSERT_GE(pty.master, 0);
    plat::IoError err;
    const int fd = plat::OpenSerialDevice(pty.slavePath, err);
    ASSERT_GE(fd, 0);
    termios t{};
    ASSERT_EQ(::tcgetattr(fd, &t), 0);
    EXPECT_EQ(t.c_iflag & (BRKINT | IGNPAR | PARMRK | INPCK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF | IXANY |
                           IMAXBEL),
              0u);
    EXPECT_TRUE(t.c_iflag & IGNBRK);
    EXPECT_EQ(t.c_oflag, 0u);
    EXPECT_EQ(t.c_cflag & CSIZE, tcflag_t(CS8));
    EXPECT_EQ(t.c_cflag & (CREAD | CLOCAL), tcflag_t(CREAD | CLOCAL));
    EXPECT_EQ(t.c_cflag & (CSTOPB | PARENB | PARODD | HUPCL | CRTSCTS), 0u);
    EXPECT_EQ(t.c_lflag & (ECHO | ISIG | ICANON | IEXTEN), 0u);
    EXPECT_EQ(t.c_cc[VMIN], 0);
    EXPECT_EQ(t.c_cc[VTIME], 0);

    EXPECT_TRUE(plat::SetSerialBaudRate(fd, 2400));
    EXPECT_TRUE(plat::SetSerialStopBits(fd, 2));
    EXPECT_TRUE(plat::SetSerialFlowControl(fd, 2));
    ASSERT_EQ(::tcgetattr(fd, &t), 0);
    EXPECT_EQ(cfgetispeed(&t), speed_t(B2400));
    EXPECT_EQ(cfgetospeed(&t), speed_t(B2400));
    EXPECT_TRUE(t.c_cflag & CSTOPB);
    EXPECT_TRUE(t.c_cflag & CRTSCTS);
    EXPECT_TRUE(plat::SetSerialStopBits(fd, 1));
    EXPECT_TRUE(plat::SetSerialFlowControl(fd, 7));
    ASSERT_EQ(::tcgetattr(fd, &t), 0);
    EXPECT_FALSE(t.c_cflag & CSTOPB);
    EXPECT_FALSE(t.c_cflag & CRTSCTS);
    EXPECT_FALSE(plat::SetSerialBaudRate(fd, 12345)) << "no such standard speed";

    // A second open is refused as busy, even for a privileged user.
    EXPECT_EQ(plat::OpenSerialDevice(pty.slavePath, err), -1);
    EXPECT_EQ(err, plat::IoError::Busy);
    ::close(fd);
    const int again = plat::OpenSerialDevice(pty.slavePath, err);
    EXPECT_GE(again, 0);
    ::close(again);
    ::close(pty.master);
}

TEST(CSerialPortList, ConfiguredNamesComeFirstInOrder)
{
    SerialLinkFor("alpha"); // sets the configured list
    CSerialPortList list;
    std::vector<std::string> names;
    while (list.Next())
        names.push_back(list.Name().Text());
    ASSERT_GE(names.size(), 5u);
    EXPECT_EQ(names[0], "alpha");
    EXPECT_EQ(names[1], "beta");
    EXPECT_FALSE(list.Next());
    EXPECT_TRUE(list.Name().IsEmpty());
    EXPECT_EQ(std::string(FindSerialDevice("beta").Text()), SerialLinkFor("beta"));
    EXPECT_TRUE(FindSerialDevice("no such device").IsEmpty());
    EXPECT_TRUE(FindSerialDevice("").IsEmpty());
    EXPECT_TRUE(FindSerialDevice(nullptr).IsEmpty());
}

TEST_F(CSerialPortTest, OpenResultsForUnknownBusyAndFreeDevices)
{
    EXPECT_EQ(port->Open(SpecNamed("no such device")), 1);
    plat::IoError err;
    const int holder = plat::OpenSerialDevice(pty.slavePath, err);
    ASSERT_GE(holder, 0);
    EXPECT_EQ(port->Open(SpecNamed("alpha")), 2);
    EXPECT_FALSE(port->IsOpen());
    ::close(holder);
    EXPECT_EQ(port->Open(SpecNamed("alpha")), 0);
    EXPECT_TRUE(port->IsOpen());
    EXPECT_EQ(port->Open(SpecNamed("alpha")), 0);
    EXPECT_EQ(std::string(port->PortSpec().name.Text()), "alpha");
}

TEST_F(CSerialPortTest, ReadCompletesWithTheBytesThatArrivedAndWriteDeliversEveryByte)
{
    ASSERT_EQ(port->Open(SpecNamed("alpha")), 0);
    uint8_t buffer[4096] = {};
    ASSERT_TRUE(port->Read(buffer, sizeof buffer));
    EXPECT_FALSE(port->CanRead());
    PumpFor(30ms);
    EXPECT_EQ(log.Count(CSerialPort::msgRead), 0);
    const std::string bytes("\x01\xff\x80\r\n\x00zq9A", 10);
    ASSERT_EQ(::write(pty.master, bytes.data(), bytes.size()), 10);
    ASSERT_TRUE(log.WaitFor(CSerialPort::msgRead));
    EXPECT_EQ(port->BytesRead(), 10u);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), 10), bytes);
    EXPECT_TRUE(port->CanRead());

    // Bytes already there still complete as a message; a full buffer completes.
    ASSERT_EQ(::write(pty.master, "abc", 3), 3);
    PumpFor(20ms);
    ASSERT_TRUE(port->Read(buffer, 2));
    ASSERT_TRUE(log.WaitFor(CSerialPort::msgRead, 2));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), port->BytesRead()), "ab");

    const std::string request = "DN\nFR 0.3333\nSR 120\nBL\n";
    ASSERT_TRUE(port->Write(request.data(), uint32_t(request.size())));
    ASSERT_TRUE(log.WaitFor(CSerialPort::msgSent));
    EXPECT_TRUE(port->CanWrite());
    EXPECT_EQ(ReadExactly(pty.master, request.size()), request);
}

TEST_F(CSerialPortTest, OperationsOnAClosedPortAreRefused)
{
    uint8_t buffer[4];
    EXPECT_FALSE(port->Read(buffer, sizeof buffer));
    EXPECT_FALSE(port->Write("x", 1));
    EXPECT_FALSE(port->SetBaudRate(9600));
    port->SetStopBits(2);
    port->SetFlowControl(1);
    port->Close();
    EXPECT_FALSE(port->IsOpen());
}

TEST_F(CSerialPortTest, UnpluggedDeviceResumesThePendingReadWhenItReturns)
{
    ASSERT_EQ(port->Open(SpecNamed("alpha")), 0);
    ASSERT_TRUE(port->SetBaudRate(2400));
    uint8_t buffer[64] = {};
    ASSERT_TRUE(port->Read(buffer, sizeof buffer));
    ::close(pty.master); // the device goes away
    pty.master = -1;
    ASSERT_TRUE(PumpUntil([&] { return port->IsReconnecting(); }, 5s));
    ASSERT_TRUE(PumpUntil([&] { return !port->IsOpen(); }, 5s));
    PumpFor(50ms);
    EXPECT_EQ(log.Count(CSerialPort::msgRead), 0) << "a hung-up device is no data";

    pty = OpenPty(); // the device comes back, under another number perhaps
    ASSERT_GE(pty.master, 0);
    PointSerialName("alpha", pty.slavePath);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(PumpUntil([&] { return port->IsOpen() && !port->IsReconnecting(); }, 10s));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
    ASSERT_EQ(::write(pty.master, "back", 4), 4);
    ASSERT_TRUE(log.WaitFor(CSerialPort::msgRead));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), port->BytesRead()), "back");

    // The speed set before the failure holds on the new device (a pseudo-terminal's
    // master reports the settings of its slave).
    termios t{};
    ASSERT_EQ(::tcgetattr(pty.master, &t), 0);
    EXPECT_EQ(cfgetospeed(&t), speed_t(B2400));
}

TEST_F(CSerialPortTest, CloseDuringReconnectionEndsTheThread)
{
    ASSERT_EQ(port->Open(SpecNamed("alpha")), 0);
    uint8_t buffer[8];
    ASSERT_TRUE(port->Read(buffer, sizeof buffer));
    ::close(pty.master);
    pty.master = -1;
    ASSERT_TRUE(PumpUntil([&] { return port->IsReconnecting(); }, 5s));
    const auto start = std::chrono::steady_clock::now();
    port->Close();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 900ms) << "the retry wait ends at once";
    EXPECT_FALSE(port->IsReconnecting());
    EXPECT_FALSE(port->IsOpen());
    EXPECT_FALSE(port->CanRead());
    PumpFor(50ms);
    EXPECT_EQ(log.Count(CSerialPort::msgRead), 0);
}
