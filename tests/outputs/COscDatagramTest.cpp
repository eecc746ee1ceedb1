// OSC messages leave as real UDP datagrams on the loopback interface and are read back by an
// independent decoder (a python3 program).
#include "foundation/core/LByteBuffer.h"
#include "foundation/streams/CMemStream.h"
#include "outputs/COscWriter.h"
#include "shell/CAsyncLoopThread.h"
#include "sources/ports/CIPAddress.h"
#include "sources/ports/CUDPPort.h"
#include "tests/outputs/FaderTestKit.h"
#include "tests/support/WaitFor.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

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
        WaitFor([this] { return fPort->CanSend(); });
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
    OscDecoder decoder(3);
    ASSERT_GT(decoder.Port(), 0);
    // The port reads the bytes while it sends: they live until the end of the test.
    const std::string messages[] = {Message("/snx/f1", 0.25f), Message("/a/b", 1.0f), Message("/x", -0.5f)};
    for (const std::string& message : messages)
        ASSERT_TRUE(Send(decoder.Port(), message));
    EXPECT_EQ(decoder.Finish(), (std::vector<std::string>{"16 /snx/f1 ,f 0.25", "16 /a/b ,f 1", "12 /x ,f -0.5"}));
}
