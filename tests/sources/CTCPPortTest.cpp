#include "sources/ports/CTCPPort.h"

#include "foundation/async/LAsyncQueue.h"
#include "foundation/core/StrEqual.h"
#include "tests/support/PortTestSupport.h"

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <unistd.h>

using namespace porttest;

namespace {

constexpr uint32_t kLoopback = 0x7F000001;

class CTCPPortTest : public ::testing::Test {
protected:
    void SetUp() override { queue = MakeQueue(); }
    void TearDown() override
    {
        ports.clear();
        if (peer >= 0)
            ::close(peer);
        if (listener >= 0)
            ::close(listener);
        queue->Stop();
    }
    // A port connected to a plain loopback socket (peer), reporting to the log.
    CTCPPort* ConnectToPlainPeer(MessageLog& log)
    {
        uint16_t port = 0;
        listener = ListenLoopback(port);
        CTCPPort* tcp = MakePort(&log);
        if (tcp->Open(0, 0, 0) != 0)
            return nullptr;
        tcp->Connect(CIPAddress(kLoopback, port));
        if (!log.WaitFor(CTCPPort::msgConnected))
            return nullptr;
        peer = ::accept(listener, nullptr, nullptr);
        return tcp;
    }
    CTCPPort* MakePort(LHandler* parent)
    {
        ports.emplace_back(CTCPPort::Create(parent, queue.get()));
        return ports.back().get();
    }
    // A listening port whose log accepts every waiting connection into a new port.
    CTCPPort* MakeServer(MessageLog& log, MessageLog& clientLog)
    {
        CTCPPort* server = MakePort(&log);
        EXPECT_EQ(server->Open(0, 4, 0), 0);
        log.onMessage = [this, server, &clientLog](const LMessage& msg) {
            if (msg.subject == server && StrEqual(msg.type, CTCPPort::msgRequest)) {
                CTCPPortBase* accepted = nullptr;
                EXPECT_EQ(server->Accept(&clientLog, &accepted, 0), 0);
                ports.emplace_back(static_cast<CTCPPort*>(accepted));
            }
            return true;
        };
        return server;
    }
    CTCPPort* Accepted(size_t index) { return ports.at(index).get(); }

    std::unique_ptr<CAsyncLoopThread> queue;
    MessageLog log, logB, logC; // outlive the ports that report to them
    std::vector<std::unique_ptr<CTCPPort>> ports;
    int listener = -1;
    int peer = -1;
};

} // namespace

TEST_F(CTCPPortTest, ConnectedPairExchangesExactBytesBothWays)
{
    MessageLog& serverLog = log;
    MessageLog& acceptedLog = logB;
    MessageLog& clientLog = logC;
    CTCPPort* server = MakeServer(serverLog, acceptedLog);
    CTCPPort* client = MakePort(&clientLog);
    ASSERT_EQ(client->Open(0, 0, 0), 0);
    client->Connect(CIPAddress(kLoopback, uint16_t(server->LocalPort())));
    ASSERT_TRUE(clientLog.WaitFor(CTCPPort::msgConnected));
    EXPECT_EQ(client->State(), CTCPPort::kConnected);
    EXPECT_EQ(client->PeerAddress().port, server->LocalPort());
    ASSERT_TRUE(PumpUntil([&] { return ports.size() == 3; }));
    CTCPPort* accepted = Accepted(2);
    // An accepted connection is announced like an outgoing one.
    ASSERT_TRUE(acceptedLog.WaitFor(CTCPPort::msgConnected));
    EXPECT_EQ(accepted->PeerAddress().address, kLoopback);
    EXPECT_EQ(accepted->PeerAddress().port, client->LocalPort());

    uint8_t in[64] = {};
    {
        LAsyncQueueLock lock(*queue);
        ASSERT_TRUE(accepted->Receive(in, sizeof in));
        EXPECT_FALSE(accepted->CanReceive());
    }
    const char hello[] = "hello\0world";
    ASSERT_TRUE(client->Send(hello, sizeof hello));
    ASSERT_TRUE(clientLog.WaitFor(CTCPPort::msgSent));
    ASSERT_TRUE(acceptedLog.WaitFor(CTCPPort::msgRead));
    EXPECT_EQ(accepted->ReceivedCount(), sizeof hello);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(in), accepted->ReceivedCount()), std::string(hello, sizeof hello));

    uint8_t back[8] = {};
    ASSERT_TRUE(client->Receive(back, sizeof back));
    ASSERT_TRUE(accepted->Send("ok", 2));
    ASSERT_TRUE(clientLog.WaitFor(CTCPPort::msgRead));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(back), client->ReceivedCount()), "ok");
}

TEST_F(CTCPPortTest, PortHeldByAnotherListenerReportsInUse)
{
    uint16_t port = 0;
    const int other = ListenLoopback(port);
    ASSERT_GE(other, 0);
    CTCPPort* tcp = MakePort(&log);
    EXPECT_EQ(tcp->Open(port, 1, 0), 3);
    EXPECT_FALSE(tcp->IsOpen());
    ::close(other);
    EXPECT_EQ(tcp->Open(port, 1, 0), 0);
    EXPECT_EQ(tcp->LocalPort(), port);
    EXPECT_EQ(tcp->Open(port, 1, 0), 0) << "opening an open port succeeds at once";
}

TEST_F(CTCPPortTest, ConnectionToAClosedPortReportsCloseAndLeavesThePortClosed)
{
    CTCPPort* tcp = MakePort(&log);
    ASSERT_EQ(tcp->Open(0, 0, 0), 0);
    tcp->Connect(CIPAddress(kLoopback, FreePort()));
    ASSERT_TRUE(log.WaitFor(CTCPPort::msgClose));
    EXPECT_FALSE(tcp->IsOpen());
    EXPECT_EQ(tcp->State(), CTCPPort::kIdle);
    EXPECT_EQ(log.Count(CTCPPort::msgConnected), 0);
    EXPECT_EQ(tcp->ConnectFailure(), plat::IoError::Refused) << "why it failed";
}

TEST_F(CTCPPortTest, ZeroByteSendCompletesAtOnceAndDisconnectReportsClose)
{
    CTCPPort* tcp = ConnectToPlainPeer(log);
    ASSERT_NE(tcp, nullptr);
    const char nothing[1] = {};
    ASSERT_TRUE(tcp->Send(nothing, 0));
    EXPECT_TRUE(log.WaitFor(CTCPPort::msgSent));
    EXPECT_TRUE(tcp->CanSend());
    tcp->Disconnect();
    EXPECT_TRUE(log.WaitFor(CTCPPort::msgClose));
    EXPECT_FALSE(tcp->IsOpen());
}

TEST_F(CTCPPortTest, PeerClosingDuringAPendingReceiveReportsClose)
{
    CTCPPort* tcp = ConnectToPlainPeer(log);
    ASSERT_NE(tcp, nullptr);
    uint8_t buffer[16];
    ASSERT_TRUE(tcp->Receive(buffer, sizeof buffer));
    PumpFor(20ms);
    EXPECT_EQ(log.Count(CTCPPort::msgRead), 0);
    ::close(peer);
    peer = -1;
    ASSERT_TRUE(log.WaitFor(CTCPPort::msgClose));
    EXPECT_FALSE(tcp->IsOpen());
}

TEST_F(CTCPPortTest, LargeSendCompletesAcrossPartialWritesWithEveryByte)
{
    CTCPPort* tcp = ConnectToPlainPeer(log);
    ASSERT_NE(tcp, nullptr);
    std::string data(8 << 20, '\0');
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = char((i * 131) >> 3);
    ASSERT_TRUE(tcp->Send(data.data(), uint32_t(data.size())));
    EXPECT_FALSE(tcp->CanSend());
    std::string got;
    ASSERT_TRUE(PumpUntil([&] {
        got += ReadExactly(peer, data.size() - got.size(), 5ms);
        return got.size() == data.size() && log.Count(CTCPPort::msgSent) == 1;
    }));
    EXPECT_TRUE(got == data);
    EXPECT_EQ(tcp->QueuedBytes(), 0u);
}

TEST_F(CTCPPortTest, PeerResetDuringASendNeitherKillsTheProcessNorHangs)
{
    CTCPPort* tcp = ConnectToPlainPeer(log);
    ASSERT_NE(tcp, nullptr);
    std::string data(16 << 20, 'x');
    ASSERT_TRUE(tcp->Send(data.data(), uint32_t(data.size())));
    linger reset{1, 0};
    ::setsockopt(peer, SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
    ::close(peer);
    peer = -1;
    ASSERT_TRUE(log.WaitFor(CTCPPort::msgClose));
    EXPECT_FALSE(tcp->IsOpen());
    EXPECT_EQ(log.Count(CTCPPort::msgSent), 0);
}

TEST_F(CTCPPortTest, ConnectionNobodyTakesIsRefusedAndTheNextOneWaits)
{
    // Requests climb back to the port.
    log.onMessage = [](const LMessage& msg) { return !StrEqual(msg.type, CTCPPort::msgRequest); };
    CTCPPort* server = MakePort(&log);
    ASSERT_EQ(server->Open(0, 4, 0), 0);
    const int first = ConnectLoopback(uint16_t(server->LocalPort()));
    ASSERT_GE(first, 0);
    // The refused connection reads end-of-stream.
    char byte;
    ASSERT_TRUE(PumpUntil([&] { return ::recv(first, &byte, 1, MSG_DONTWAIT) == 0; }));
    const int second = ConnectLoopback(uint16_t(server->LocalPort()));
    ASSERT_TRUE(PumpUntil([&] { return ::recv(second, &byte, 1, MSG_DONTWAIT) == 0; }));
    ::close(first);
    ::close(second);
}

TEST_F(CTCPPortTest, WaitingConnectionHoldsFurtherOnesInTheBacklog)
{
    CTCPPort* server = MakePort(&log);
    ASSERT_EQ(server->Open(0, 4, 0), 0);
    const int a = ConnectLoopback(uint16_t(server->LocalPort()));
    const int b = ConnectLoopback(uint16_t(server->LocalPort()));
    ASSERT_TRUE(log.WaitFor(CTCPPort::msgRequest));
    PumpFor(50ms);
    EXPECT_EQ(log.Count(CTCPPort::msgRequest), 1);
    CTCPPortBase* taken = nullptr;
    ASSERT_EQ(server->Accept(&log, &taken, 0), 0);
    ports.emplace_back(static_cast<CTCPPort*>(taken));
    ASSERT_TRUE(log.WaitFor(CTCPPort::msgRequest, 2));
    EXPECT_EQ(server->Accept(&log, nullptr, 0), 1) << "a null out refuses the connection";
    EXPECT_EQ(server->Accept(&log, &taken, 0), 1) << "nothing waits any more";
    EXPECT_EQ(taken, nullptr);
    ::close(a);
    ::close(b);
}

TEST_F(CTCPPortTest, OperationsOnAClosedPortFailWithoutHarmAndAnOpenOneKnowsTheHostAddresses)
{
    CTCPPort* tcp = MakePort(&log);
    uint8_t buffer[4];
    EXPECT_FALSE(tcp->Send("x", 1));
    EXPECT_FALSE(tcp->Receive(buffer, sizeof buffer));
    EXPECT_EQ(tcp->ReceiveNow(buffer, sizeof buffer), 0u);
    tcp->Connect(CIPAddress(kLoopback, 1));
    tcp->Disconnect();
    tcp->Close();
    EXPECT_EQ(tcp->QueuedBytes(), 0u);
    PumpFor(20ms);
    EXPECT_TRUE(log.Types().empty());
    std::vector<uint32_t> addresses{1, 2};
    tcp->LocalAddresses(addresses);
    EXPECT_TRUE(addresses.empty());
    ASSERT_EQ(tcp->Open(0, 0, 0), 0);
    tcp->LocalAddresses(addresses); // may be empty on a host without a resolvable name
    for (uint32_t a : addresses)
        EXPECT_NE(a, 0u);
}
