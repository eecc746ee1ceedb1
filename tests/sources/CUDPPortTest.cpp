#include "sources/ports/CUDPPort.h"

#include "tests/support/PortTestSupport.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace porttest;

namespace {

constexpr uint32_t kLoopback = 0x7F000001;

class CUDPPortTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        queue = MakeQueue();
        port.reset(CUDPPort::Create(&log, queue.get()));
    }
    void TearDown() override
    {
        port.reset();
        queue->Stop();
    }
    std::unique_ptr<CAsyncLoopThread> queue;
    MessageLog log;
    std::unique_ptr<CUDPPort> port;
};

} // namespace

TEST_F(CUDPPortTest, DatagramReachesAnIndependentReceiverByteForByteAndItsAnswerCompletesThePendingReceive)
{
    uint16_t peerPort = 0;
    const int peer = BoundLoopbackUdp(peerPort);
    ASSERT_EQ(port->Open(0, 0, 0), 0);
    uint8_t buffer[32] = {};
    ASSERT_TRUE(port->RecvFrom(buffer, sizeof buffer));
    EXPECT_FALSE(port->CanReceive());
    const uint8_t datagram[] = {'/', 'a', 0, 0, ',', 'f', 0, 0, 0x3F, 0x80, 0, 0};
    ASSERT_TRUE(port->SendTo(CIPAddress(kLoopback, peerPort), datagram, sizeof datagram));
    ASSERT_TRUE(log.WaitFor(CUDPPort::msgSent));
    uint8_t got[64];
    sockaddr_in from{};
    socklen_t length = sizeof from;
    pollfd p{peer, POLLIN, 0};
    ASSERT_EQ(::poll(&p, 1, 5000), 1);
    const ssize_t n = ::recvfrom(peer, got, sizeof got, 0, reinterpret_cast<sockaddr*>(&from), &length);
    ASSERT_EQ(n, ssize_t(sizeof datagram));
    EXPECT_EQ(0, memcmp(got, datagram, sizeof datagram));
    EXPECT_EQ(ntohs(from.sin_port), port->LocalPort());

    ASSERT_TRUE(SendLoopbackDatagram(peer, uint16_t(port->LocalPort()), "ping"));
    ASSERT_TRUE(log.WaitFor(CUDPPort::msgRead));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), port->ReceivedCount()), "ping");
    EXPECT_EQ(port->SenderAddress().address, kLoopback);
    EXPECT_EQ(port->SenderAddress().port, peerPort);
    EXPECT_TRUE(port->CanReceive());
    ::close(peer);
}

TEST_F(CUDPPortTest, PortHeldByAnotherSocketReportsInUse)
{
    uint16_t held = 0;
    const int other = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    socklen_t length = sizeof a;
    ASSERT_EQ(::bind(other, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    ::getsockname(other, reinterpret_cast<sockaddr*>(&a), &length);
    held = ntohs(a.sin_port);
    EXPECT_EQ(port->Open(held, 0, 0), 2);
    EXPECT_FALSE(port->IsOpen());
    ::close(other);
}

TEST_F(CUDPPortTest, ReceiveErrorRearmsAndTheNextDatagramStillArrives)
{
    ASSERT_EQ(port->Open(0, 0, 0), 0);
    // A datagram to a closed port makes the kernel report a refusal on the next receive.
    ASSERT_TRUE(port->SendTo(CIPAddress(kLoopback, FreePort()), "x", 1));
    ASSERT_TRUE(log.WaitFor(CUDPPort::msgSent));
    uint8_t buffer[8];
    ASSERT_TRUE(port->RecvFrom(buffer, sizeof buffer));
    PumpFor(30ms);
    uint16_t peerPort = 0;
    const int peer = BoundLoopbackUdp(peerPort);
    ASSERT_TRUE(SendLoopbackDatagram(peer, uint16_t(port->LocalPort()), "ok"));
    ASSERT_TRUE(log.WaitFor(CUDPPort::msgRead));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), port->ReceivedCount()), "ok");
    ::close(peer);
}

TEST_F(CUDPPortTest, ClosedPortRefusesOperations)
{
    uint8_t buffer[4];
    EXPECT_FALSE(port->SendTo(CIPAddress(kLoopback, 9), "x", 1));
    EXPECT_FALSE(port->RecvFrom(buffer, sizeof buffer));
    ASSERT_EQ(port->Open(0, 0, 0), 0);
    EXPECT_EQ(port->Open(0, 0, 0), 0);
    port->Close();
    EXPECT_FALSE(port->IsOpen());
}
