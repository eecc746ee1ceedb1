#include "sources/lines/CLineTCPSrc.h"

#include "foundation/async/LAsyncQueue.h"
#include "sources/ports/CIPAddress.h"
#include "sources/ports/CTCPPort.h"
#include "sources/server/CDataServer.h"
#include "tests/sources/FrameCollector.h"
#include "tests/support/PortTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace porttest;

namespace {

constexpr uint32_t kLoopback = 0x7F000001;

// A device on TCP: it records the requests it gets for up to a second, then sends one
// keyword line and one sample line and listens a second more. It prints its port first,
// then what it received (hex) and how long the requests took.
const char* kDevice = R"(
import select, socket, time
s = socket.socket()
s.bind(('127.0.0.1', 0))
s.listen(1)
print(s.getsockname()[1])
c, _ = s.accept()
got = b''
def listen(seconds, until=None):
    global got
    end = time.time() + seconds
    while time.time() < end and not (until and until()):
        r, _, _ = select.select([c], [], [], 0.02)
        if r:
            d = c.recv(4096)
            if not d:
                return
            got += d
t0 = time.time()
listen(1.0, lambda: all(k in got for k in (b'DN\n', b'SR ', b'FR ', b'BL\n')))
elapsed = time.time() - t0
c.sendall(b'dn x\r3ff 200\r\n')
listen(1.0)
print(got.hex())
print('%.3f' % elapsed)
)";

// The request lines, DN first, the others in sorted order: a connection made at once sends
// each request as it is made, one still being made sends them all together.
std::vector<std::string> Requests(const std::string& bytes)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = bytes.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(bytes.substr(start, end - start));
    if (start < bytes.size())
        lines.push_back(bytes.substr(start) + " (unterminated)");
    if (!lines.empty())
        std::sort(lines.begin() + 1, lines.end());
    return lines;
}

const std::vector<std::string> kOpeningRequests{"DN", "BL", "FR 0.3333", "SR 120"};

std::string FromHex(const std::string& hex)
{
    std::string out;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        out += char(std::stoi(hex.substr(i, 2), nullptr, 16));
    return out;
}

} // namespace

TEST(CLineTCPSrc, PeerGetsTheRequestsAndServerClientsGetTheLines)
{
    auto queue = MakeQueue();
    FrameCollector window;
    CDataServer server(&window, queue.get());
    ASSERT_TRUE(server.Start(0));
    window.server = &server;
    const int client = ConnectLoopback(uint16_t(server.LocalPort()));
    ASSERT_GE(client, 0);
    ASSERT_TRUE(PumpUntil([&] { return server.ClientCount() == 1; }));

    PythonPeer device;
    ASSERT_TRUE(device.Start(kDevice));
    {
        CLineTCPSrc source(&window, queue.get());
        const ScopedSource attached(window, &source, *queue);
        ASSERT_EQ(source.Connect(CIPAddress(kLoopback, uint16_t(std::stoi(device.FirstLine())))), 0);
        source.RecordText("a note that stays here");
        ASSERT_TRUE(window.WaitForFrames(1));
        const auto frames = window.Frames();
        ASSERT_EQ(frames[0].size(), 2u);
        EXPECT_EQ(frames[0][0], 0.4990234375f);
        EXPECT_EQ(frames[0][1], 0.0f);
        EXPECT_EQ(std::string(source.TypeName().Text()), "x");
        EXPECT_EQ(window.Texts(), std::vector<std::string>{"a note that stays here"});

        const std::string expected = "dn x\rsr 1\rfr 0.3333\r3ff\t200\r";
        EXPECT_EQ(ReadExactly(client, expected.size()), expected);

        const std::string report = device.Finish();
        const size_t nl = report.find('\n');
        ASSERT_NE(nl, std::string::npos) << report;
        EXPECT_EQ(Requests(FromHex(report.substr(0, nl))), kOpeningRequests);
        EXPECT_LT(std::stod(report.substr(nl + 1)), 1.0) << "the requests came late";
        source.Close();
    }
    ::close(client);
    server.Stop();
    queue->Stop();
}

TEST(CLineTCPSrc, RefusedConnectionClimbsToTheWindow)
{
    auto queue = MakeQueue();
    FrameCollector window;
    {
        CLineTCPSrc source(&window, queue.get());
        const ScopedSource attached(window, &source, *queue);
        ASSERT_EQ(source.Connect(CIPAddress(kLoopback, FreePort())), 0);
        EXPECT_TRUE(PumpUntil([&] { return window.Count(CTCPPort::msgClose) == 1; }));
        EXPECT_FALSE(source.Port()->IsOpen());
    }
    queue->Stop();
}

TEST(CLineTCPSrc, RequestsWhileAWriteIsInFlightGoOutWithTheLastValues)
{
    auto queue = MakeQueue();
    FrameCollector window;
    uint16_t port = 0;
    const int listener = ListenLoopback(port);
    {
        CLineTCPSrc source(&window, queue.get());
        const ScopedSource attached(window, &source, *queue);
        ASSERT_EQ(source.Connect(CIPAddress(kLoopback, port)), 0);
        const int device = ::accept(listener, nullptr, nullptr);
        ASSERT_GE(device, 0);
        std::string first;
        ASSERT_TRUE(PumpUntil([&] {
            first += ReadExactly(device, 23 - first.size(), 1ms);
            return first.size() == 23;
        }));
        EXPECT_EQ(Requests(first), kOpeningRequests);
        source.SetRate(250);
        source.SetFcRatio(0.5f);
        source.SetRate(500);
        std::string rest;
        ASSERT_TRUE(PumpUntil([&] {
            rest += ReadExactly(device, 1, 5ms);
            return rest.find("SR 500\n") != std::string::npos && rest.find("FR 0.5\n") != std::string::npos;
        }));
        EXPECT_EQ(rest.find("TX"), std::string::npos);
        ::close(device);
    }
    ::close(listener);
    queue->Stop();
}

// A window pulls as soon as it makes a source current, possibly before the connection's report
// reaches it; the bytes that pull brings are the stream's first (its type and rate) and must
// survive the read that the report starts.
TEST(CLineTCPSrc, APullBeforeTheConnectReportKeepsTheStreamsFirstLines)
{
    auto queue = MakeQueue();
    FrameCollector window;
    uint16_t port = 0;
    const int listener = ListenLoopback(port);
    {
        CLineTCPSrc source(&window, queue.get());
        const ScopedSource attached(window, &source, *queue);
        ASSERT_EQ(source.Connect(CIPAddress(kLoopback, port)), 0);
        const int device = ::accept(listener, nullptr, nullptr);
        ASSERT_GE(device, 0);
        const std::string head = "dn x\rsr 500\r";
        ASSERT_EQ(::send(device, head.data(), head.size(), 0), ssize_t(head.size()));
        // The connection is made on the dispatch thread; its report waits for the main thread.
        float frame[4];
        for (int i = 0; i < 200 && !source.Port()->CanReceive(); ++i)
            std::this_thread::sleep_for(10ms);
        ASSERT_TRUE(source.Port()->CanReceive()) << "the connection was not made";
        std::this_thread::sleep_for(50ms); // the head has crossed the loopback
        {
            // Held, the queue's lock keeps the read's report on the dispatch thread waiting
            // while the main thread handles the connection's report.
            LAsyncQueueLock held(*queue);
            EXPECT_EQ(source.Read(frame, 4), 0); // asks the link for bytes: the head comes at once
            PumpFor(200ms);
        }
        const std::string lines = "3ff 200\r1 2\r";
        ASSERT_EQ(::send(device, lines.data(), lines.size(), 0), ssize_t(lines.size()));
        ASSERT_TRUE(window.WaitForFrames(1));
        EXPECT_EQ(std::string(source.TypeName().Text()), "x");
        EXPECT_EQ(source.SampleRate(), 500u);
        const auto frames = window.Frames();
        ASSERT_FALSE(frames.empty());
        EXPECT_EQ(frames[0], (std::vector<float>{0.4990234375f, 0.0f}));
        ::close(device);
    }
    ::close(listener);
    queue->Stop();
}
