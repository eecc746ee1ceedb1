#include "sources/server/CDataServer.h"

#include "foundation/async/LAsyncQueue.h"
#include "tests/support/PortTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <arpa/inet.h>
#include <limits>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <tuple>

using namespace porttest;

namespace {

class CDataServerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        queue = MakeQueue();
        server = std::make_unique<CDataServer>(&window, queue.get());
        ASSERT_TRUE(server->Start(0));
    }
    void TearDown() override
    {
        for (int fd : clients)
            ::close(fd);
        server.reset();
        queue->Stop();
    }
    // A connected client socket, once the server has taken it.
    int Connect(int receiveBuffer = 0)
    {
        const size_t before = server->ClientCount();
        int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (receiveBuffer)
            ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &receiveBuffer, sizeof receiveBuffer);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        a.sin_port = htons(uint16_t(server->LocalPort()));
        EXPECT_EQ(::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
        EXPECT_TRUE(PumpUntil([&] { return server->ClientCount() == before + 1; }));
        clients.push_back(fd);
        return fd;
    }
    // Broadcasts and flushes as the window does: under the queue lock.
    void Broadcast(std::initializer_list<float> values)
    {
        std::vector<float> v(values);
        LAsyncQueueLock lock(*queue);
        server->BroadcastSample(uint32_t(v.size()), v.data());
        server->Flush();
    }

    std::unique_ptr<CAsyncLoopThread> queue;
    MessageLog window;
    std::unique_ptr<CDataServer> server;
    std::vector<int> clients;
};

} // namespace

TEST_F(CDataServerTest, ClientGetsAnnouncementsThenFixedWidthLinesAndBadValuesDoNotCrash)
{
    const std::tuple<const char*, uint32_t, std::vector<float>, std::string> cases[] = {
        {"generic_sound", 44100, {0.0f, -1.0f, 1.0f, 0.5f, 0.25f},
         "dn generic_sound\rsr 44100\rfr 0.3333\r8000\t0000\t0000\tc000\r"},
        // 8 bits; channel 2 maps 0..1 directly; out of range wraps
        {"telk", 0, {0.0f, 0.0f, 1.5f, std::numeric_limits<float>::quiet_NaN()}, "dn telk\rsr 0\rfr 0.3333\r80\t80\t80\t00\r"},
    };
    for (const auto& [type, rate, values, expected] : cases) {
        const int fd = Connect();
        server->SetFormat(type);
        server->SetRate(rate);
        LAsyncQueueLock lock(*queue);
        server->BroadcastSample(uint32_t(values.size()), values.data());
        server->Flush();
        EXPECT_EQ(ReadExactly(fd, expected.size()), expected) << type;
    }
}

TEST_F(CDataServerTest, DigitsFollowTheTypeChangesAreAnnouncedOnceAndOverflowBeforeTheNextLine)
{
    const int fd = Connect();
    server->SetFormat(""); // nothing is sent before a source names its type
    EXPECT_FALSE(server->HasFormat());
    Broadcast({0.5f});
    PumpFor(50ms);
    char byte;
    EXPECT_EQ(::recv(fd, &byte, 1, MSG_DONTWAIT), -1);

    server->SetFormat("unknown type"); // row 0: 10 bits, three digits
    Broadcast({0.0f, 0.4990234375f});
    std::string expected = "dn unknown type\rsr 0\rfr 0.3333\r200\t3ff\r";
    EXPECT_EQ(ReadExactly(fd, expected.size()), expected);

    server->SetFormat("Wiimote"); // 8 bits, two digits
    server->SetRate(0);           // unchanged: nothing to announce
    server->SetFcRatio(0.5f);
    Broadcast({0.0f});
    expected = "dn Wiimote\rfr 0.5\r80\r";
    EXPECT_EQ(ReadExactly(fd, expected.size()), expected);

    server->SetFormat("Wiimote");
    Broadcast({-1.0f});
    EXPECT_EQ(ReadExactly(fd, 3), "00\r");
    server->AddOverflow(7);
    Broadcast({0.0f});
    EXPECT_EQ(ReadExactly(fd, 8), "ov 7\r80\r");
}

TEST_F(CDataServerTest, SlowClientLosesLinesAndIsToldHowMany)
{
    const int slow = Connect(4096);
    server->SetFormat("generic_sound");
    server->SetRate(1000);
    // Far more than the client's limit and the kernel's socket buffers (4 MB at most) hold.
    constexpr int kLines = 400000;
    const float zero[4] = {};
    for (int batch = 0; batch < kLines / 100; ++batch) {
        LAsyncQueueLock lock(*queue);
        for (int i = 0; i < 100; ++i)
            server->BroadcastSample(4, zero);
        server->Flush();
    }
    // The client wakes up and reads until the server has nothing left in flight.
    std::string got;
    auto readAvailable = [&] {
        char buffer[65536];
        ssize_t n;
        bool any = false;
        while ((n = ::recv(slow, buffer, sizeof buffer, MSG_DONTWAIT)) > 0) {
            got.append(buffer, size_t(n));
            any = true;
        }
        return any;
    };
    auto quietSince = std::chrono::steady_clock::now();
    ASSERT_TRUE(PumpUntil([&] {
        if (readAvailable())
            quietSince = std::chrono::steady_clock::now();
        return std::chrono::steady_clock::now() - quietSince > 200ms;
    }, 20s));
    // One more line carries the count of what was lost meanwhile.
    Broadcast({1.0f, 0.0f, 0.0f, 0.0f});
    const std::string last = "0000\t8000\t8000\t8000\r";
    ASSERT_TRUE(PumpUntil([&] {
        readAvailable();
        return got.size() >= last.size() && got.compare(got.size() - last.size(), last.size(), last) == 0;
    }, 10s));
    long lines = 0;
    long lost = 0;
    size_t start = 0;
    while (start < got.size()) {
        const size_t end = got.find('\r', start);
        ASSERT_NE(end, std::string::npos);
        const std::string line = got.substr(start, end - start);
        if (line.rfind("ov ", 0) == 0)
            lost += std::stol(line.substr(3));
        else if (line.size() == 19)
            ++lines;
        else
            EXPECT_TRUE(line == "dn generic_sound" || line == "sr 1000" || line == "fr 0.3333") << line;
        start = end + 1;
    }
    EXPECT_GT(lost, 0);
    EXPECT_EQ(lines + lost, kLines + 1);
}

TEST_F(CDataServerTest, ClientResetMidStreamLeavesTheOthersServed)
{
    const int good = Connect();
    const int bad = Connect();
    server->SetFormat("Wiimote");
    Broadcast({0.0f});
    const std::string header = "dn Wiimote\rsr 0\rfr 0.3333\r80\r";
    EXPECT_EQ(ReadExactly(good, header.size()), header);
    linger reset{1, 0};
    ::setsockopt(bad, SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
    ::close(bad);
    clients.erase(std::find(clients.begin(), clients.end(), bad));
    for (int i = 0; i < 200; ++i)
        Broadcast({0.0f});
    ASSERT_TRUE(PumpUntil([&] { return server->ClientCount() == 1; }));
    std::string expected;
    for (int i = 0; i < 200; ++i)
        expected += "80\r";
    EXPECT_EQ(ReadExactly(good, expected.size()), expected);
}

TEST_F(CDataServerTest, SilentClientThatLeavesIsDroppedStopDropsClientsAndStartOnABusyPortFails)
{
    ::close(Connect());
    clients.clear();
    EXPECT_TRUE(PumpUntil([&] { return server->ClientCount() == 0; }));
    Connect();
    Connect();
    server->Stop();
    EXPECT_FALSE(server->IsListening());
    EXPECT_EQ(server->ClientCount(), 0u);
    uint16_t busy = 0;
    const int other = ListenLoopback(busy);
    EXPECT_FALSE(server->Start(busy));
    ::close(other);
    EXPECT_TRUE(server->Start(0));
    EXPECT_TRUE(server->Start(0)) << "already listening";
}
