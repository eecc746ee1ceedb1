#include "StepQueue.h"
#include "platform/usb/SimUsbDevice.h"
#include "platform/usb/UsbDevice.h"
#include "sources/usb/CUSBDevice.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

using plat::UsbDirection;
using plat::UsbPipe;
using plat::UsbTransferType;

// Records every callback as "tag:status:bytes", the tag being the one given to the request.
struct CallLog {
    static void Record(void* context, CUSBRequest* request)
    {
        auto* log = static_cast<CallLog*>(context);
        log->entries.push_back(log->tags[request] + ":" + std::to_string(request->status) + ":" +
                               std::to_string(request->length));
    }
    std::vector<std::string> entries;
    std::map<CUSBRequest*, std::string> tags;
};

class CUSBDeviceTest : public ::testing::Test {
protected:
    void Read(CUSBRequest& request, const char* tag, uint32_t pipe = 1)
    {
        fLog.tags[&request] = tag;
        fUsb.ReadAsync(&request, pipe, fBuffer, sizeof fBuffer, &CallLog::Record, &fLog);
    }
    void Write(CUSBRequest& request, const char* tag)
    {
        fLog.tags[&request] = tag;
        fUsb.WriteAsync(&request, 2, fBuffer, 4, &CallLog::Record, &fLog);
    }

    plat::ScopedVirtualClock fClock{5000};
    StepQueue fQueue;
    plat::SimUsbDevice fSim{"usbtest", {UsbPipe{UsbTransferType::Interrupt, UsbDirection::In, 1, 64},
                                        UsbPipe{UsbTransferType::Interrupt, UsbDirection::Out, 2, 64},
                                        UsbPipe{UsbTransferType::Bulk, UsbDirection::In, 3, 512}},
                            0x0123};
    CUSBDevice fUsb{nullptr, &fQueue};
    CallLog fLog;
    uint8_t fBuffer[64] = {};
};

} // namespace

TEST_F(CUSBDeviceTest, OpenReportsMissingHeldAndLateDevices)
{
    EXPECT_EQ(fUsb.Open("sim:nothing-here"), 2u);
    EXPECT_EQ(fUsb.Open("usb:255-255"), 2u); // through the system's USB library
    EXPECT_EQ(fUsb.Open("not a path"), 2u);
    fSim.SetHeldElsewhere(true);
    EXPECT_EQ(fUsb.Open(fSim.Path()), 3u);
    fSim.SetHeldElsewhere(false);

    fSim.PublishInterfaceAfterMs(250); // later than the retries wait
    EXPECT_EQ(fUsb.Open(fSim.Path()), 1u);
    EXPECT_FALSE(fUsb.IsOpen());
    fSim.PublishInterfaceAfterMs(60);
    const uint64_t before = plat::NowMs();
    EXPECT_EQ(fUsb.Open(fSim.Path()), 0u);
    EXPECT_GE(plat::NowMs() - before, 60u);
    EXPECT_TRUE(fUsb.IsOpen());
    EXPECT_EQ(fUsb.Open(fSim.Path()), 0u); // already open
    uint16_t release = 0;
    EXPECT_EQ(fUsb.GetReleaseNumber(release), 0u);
    EXPECT_EQ(release, 0x0123);
    fUsb.Close();
    EXPECT_EQ(fUsb.GetReleaseNumber(release), 1u);
    EXPECT_FALSE(fSim.IsOpen());
}

TEST_F(CUSBDeviceTest, FindPipeCountsPipesOfOneTypeAndDirection)
{
    uint32_t pipe = 0;
    uint32_t endpoint = 0;
    EXPECT_FALSE(fUsb.FindPipe(3, 1, 0, pipe, endpoint)); // closed
    ASSERT_EQ(fUsb.Open(fSim.Path()), 0u);
    ASSERT_TRUE(fUsb.FindPipe(3, 0, 0, pipe, endpoint));
    EXPECT_EQ(pipe, 2u);
    EXPECT_EQ(endpoint, 2u);
    ASSERT_TRUE(fUsb.FindPipe(2, 1, 0, pipe, endpoint));
    EXPECT_EQ(pipe, 3u);
    EXPECT_FALSE(fUsb.FindPipe(3, 1, 1, pipe, endpoint));
}

TEST_F(CUSBDeviceTest, CallbacksKeepQueueOrderPerListAndListsAreIndependent)
{
    ASSERT_EQ(fUsb.Open(fSim.Path()), 0u);
    CUSBRequest first;
    CUSBRequest second;
    CUSBRequest write;
    Read(first, "r1");
    Read(second, "r2");
    Write(write, "w");
    fQueue.Settle();
    EXPECT_EQ(fLog.entries, (std::vector<std::string>{"w:0:4"})); // the write does not wait for the reads
    fSim.Deliver(1, {1, 2, 3});
    fSim.StallNext(1);
    EXPECT_TRUE(fLog.entries.size() == 1); // completions are called back on the queue's thread only
    fQueue.Settle();
    EXPECT_EQ(fLog.entries, (std::vector<std::string>{"w:0:4", "r1:0:3"}));
    fSim.Deliver(1, std::vector<uint8_t>(100, 7)); // longer than the buffer: cut to it
    fQueue.Settle();
    EXPECT_EQ(fLog.entries.back(), "r2:0:64");
    CUSBRequest stalled;
    Read(stalled, "s");
    fQueue.Settle();
    EXPECT_EQ(fLog.entries.back(), "s:2:0");
}

TEST_F(CUSBDeviceTest, FailuresAtStartAndOnCloseCallBackAtOnce)
{
    CUSBRequest early;
    Read(early, "closed");
    EXPECT_EQ(fLog.entries, (std::vector<std::string>{"closed:1:0"}));
    ASSERT_EQ(fUsb.Open(fSim.Path()), 0u);
    CUSBRequest a;
    CUSBRequest b;
    Read(a, "a");
    Read(b, "b");
    fSim.FailNext(2);
    CUSBRequest w;
    Write(w, "w");
    fQueue.Settle();
    EXPECT_EQ(fLog.entries.back(), "w:1:0");
    EXPECT_EQ(fSim.PendingTransfers(1), 2u);
    fUsb.Close();
    EXPECT_EQ(fLog.entries, (std::vector<std::string>{"closed:1:0", "w:1:0", "a:1:0", "b:1:0"}));
    EXPECT_EQ(fSim.PendingTransfers(1), 0u);
}

TEST_F(CUSBDeviceTest, ControlRequestsCarryTheirSetupAndAnswer)
{
    ASSERT_EQ(fUsb.Open(fSim.Path()), 0u);
    plat::UsbSetup seen;
    fSim.SetControlHook([&seen](const plat::UsbSetup& setup, uint8_t* data, uint32_t& count) {
        seen = setup;
        for (uint32_t i = 0; i < setup.length; ++i)
            data[i] = uint8_t(0xA0 + i);
        count = setup.length;
        return uint32_t(plat::kUsbDone);
    });
    const uint8_t setup[8] = {0xC2, 0x00, 0x34, 0x12, 0x81, 0x00, 6, 0};
    uint8_t reply[6] = {};
    CUSBRequest request;
    fLog.tags[&request] = "c";
    fUsb.ControlAsync(&request, setup, reply, sizeof reply, &CallLog::Record, &fLog);
    fQueue.Settle();
    EXPECT_EQ(fLog.entries, (std::vector<std::string>{"c:0:6"}));
    EXPECT_EQ(seen.requestType, 0xC2);
    EXPECT_EQ(seen.value, 0x1234);
    EXPECT_EQ(seen.index, 0x81);
    EXPECT_EQ(seen.length, 6);
    EXPECT_EQ(reply[5], 0xA5);
    EXPECT_EQ(request.setup[4], 0x81);
}
