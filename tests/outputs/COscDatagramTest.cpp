// OSC messages leave as real UDP datagrams on the loopback interface and are read back by an
// independent decoder (a python3 program).
#include "foundation/LByteBuffer.h"
#include "foundation/streams/CMemStream.h"
#include "outputs/COscWriter.h"
#include "shell/CAsyncLoopThread.h"
#include "sources/ports/CIPAddress.h"
#include "sources/ports/CUDPPort.h"
#include "tests/support/WaitFor.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

namespace {

// Binds a loopback UDP socket, prints its port, then decodes `count` datagrams as OSC
// messages: hex bytes, address, type tags, float arguments and the bytes left over.
const char* const kDecoder = R"PY(
import socket, struct, sys
count = int(sys.argv[1])
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
s.bind(("127.0.0.1", 0))
print(s.getsockname()[1], flush=True)
s.settimeout(10)
def osc_string(buf, pos):
    end = buf.index(b"\0", pos)
    text = buf[pos:end].decode("utf-8")
    pad = end + 1
    pad += (-pad) % 4
    if any(buf[end:pad]):
        raise ValueError("padding")
    return text, pad
for _ in range(count):
    data, _ = s.recvfrom(4096)
    address, pos = osc_string(data, 0)
    tags, pos = osc_string(data, pos)
    args = []
    for tag in tags[1:]:
        if tag != "f":
            raise ValueError("tag " + tag)
        args.append(repr(struct.unpack(">f", data[pos:pos + 4])[0]))
        pos += 4
    print(data.hex(), address, tags, " ".join(args), "rest=%d" % (len(data) - pos), flush=True)
)PY";

// The decoder as a child process whose output the test reads.
class Decoder {
public:
    explicit Decoder(int count)
    {
        const char* tmp = std::getenv("TMPDIR");
        const std::string path = std::string(tmp && *tmp ? tmp : "/tmp") + "/osc_decoder.py";
        std::ofstream(path) << kDecoder;
        fPipe = popen(("python3 " + path + " " + std::to_string(count)).c_str(), "r");
    }
    ~Decoder()
    {
        if (fPipe)
            pclose(fPipe);
    }
    std::string Line()
    {
        char buffer[1024] = {};
        if (!fPipe || !std::fgets(buffer, sizeof buffer, fPipe))
            return {};
        std::string line(buffer);
        if (!line.empty() && line.back() == '\n')
            line.pop_back();
        return line;
    }

private:
    FILE* fPipe = nullptr;
};

std::string Message(std::string_view address, float value)
{
    LByteBuffer block;
    CMemStream stream(block);
    WriteOscFloatMessage(stream, address, value);
    return std::string(reinterpret_cast<const char*>(block.Data()), stream.Length());
}

constexpr uint32_t kLoopback = 0x7F000001;

class COscDatagramTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(fPort->Open(0, 0, 0), 0); }
    void TearDown() override
    {
        fPort.reset();
        fQueue->Stop();
    }
    bool Send(uint16_t port, const std::string& bytes)
    {
        return WaitFor([this] { return fPort->CanSend(); }) &&
               fPort->SendTo(CIPAddress(kLoopback, port), bytes.data(), uint32_t(bytes.size()));
    }
    std::unique_ptr<CAsyncLoopThread> fQueue = std::make_unique<CAsyncLoopThread>(
        [](CRunLoopSignal::Callback callback, void* context) { return std::make_unique<CRunLoopSignal>(callback, context); });
    LHandler fOwner;
    std::unique_ptr<CUDPPort> fPort{CUDPPort::Create(&fOwner, fQueue.get())};
};

} // namespace

TEST_F(COscDatagramTest, MessagesArriveAsOneDatagramEachAndDecode)
{
    Decoder decoder(3);
    const int port = std::atoi(decoder.Line().c_str());
    ASSERT_GT(port, 0);
    ASSERT_TRUE(Send(uint16_t(port), Message("/snx/f1", 0.25f)));
    EXPECT_EQ(decoder.Line(), "2f736e782f6631002c6600003e800000 /snx/f1 ,f 0.25 rest=0");
    ASSERT_TRUE(Send(uint16_t(port), Message("/a/b", 1.0f)));
    EXPECT_EQ(decoder.Line(), "2f612f62000000002c6600003f800000 /a/b ,f 1.0 rest=0");
    ASSERT_TRUE(Send(uint16_t(port), Message("/x", -0.5f)));
    EXPECT_EQ(decoder.Line(), "2f7800002c660000bf000000 /x ,f -0.5 rest=0");
}
