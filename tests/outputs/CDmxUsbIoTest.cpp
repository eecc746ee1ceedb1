#include "StepQueue.h"
#include "outputs/dmx/CDmxUsbIo.h"
#include "platform/usb/SimDmxInterface.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <memory>
#include <vector>

namespace {

struct SettingsLog {
    static void Done(void* context, CDmxSettingsRequest* request, uint32_t status)
    {
        static_cast<SettingsLog*>(context)->results.push_back({request, status});
    }
    std::vector<std::pair<CDmxSettingsRequest*, uint32_t>> results;
};

class CDmxUsbIoTest : public ::testing::Test {
protected:
    CDmxUsbIoTest()
    {
        fInterface.Device().SetControlHook([this](const plat::UsbSetup& setup, uint8_t* data, uint32_t& count) {
            fSetups.push_back(setup);
            if (setup.requestType & 0x80) {
                const uint16_t values[3] = {0x0102, 0x0304, 0x0506};
                std::memcpy(data, values, 6);
            } else {
                fSent.assign(data, data + setup.length);
            }
            count = setup.length;
            return fAnswer;
        });
    }

    plat::ScopedVirtualClock fClock{1000};
    StepQueue fQueue;
    plat::SimDmxInterface fInterface{"dmx-settings"};
    std::unique_ptr<CDmxUsbIo> fIo = std::make_unique<CDmxUsbIo>(nullptr, &fQueue);
    std::vector<plat::UsbSetup> fSetups;
    std::vector<uint8_t> fSent;
    uint32_t fAnswer = plat::kUsbDone;
    SettingsLog fLog;
};

} // namespace

TEST_F(CDmxUsbIoTest, OpenAnswersHeldAsTwoAndMissingAsOne)
{
    EXPECT_EQ(fIo->Open("sim:absent"), 1u);
    fInterface.Device().SetHeldElsewhere(true);
    EXPECT_EQ(fIo->Open(fInterface.Device().Path()), 2u);
    fInterface.Device().SetHeldElsewhere(false);
    EXPECT_EQ(fIo->Open(fInterface.Device().Path()), 0u);
    EXPECT_TRUE(fIo->IsOpen());
    EXPECT_EQ(fInterface.Device().PendingTransfers(plat::SimDmxInterface::kInPipe), CDmxUsbIo::kReads);
    fIo->Close();
    EXPECT_FALSE(fInterface.Device().IsOpen());
}

TEST_F(CDmxUsbIoTest, SettingsTravelAsVendorRequestsSetsFirst)
{
    ASSERT_EQ(fIo->Open(fInterface.Device().Path()), 0u);
    CDmxSettingsRequest get;
    CDmxSettingsRequest set;
    const uint32_t values[3] = {0x1FF, 0x22, 0x333};
    fIo->QueueGetSettings(&get, &fLog, &SettingsLog::Done); // starts at once: nothing else in flight
    fIo->QueueSetSettings(&set, &fLog, &SettingsLog::Done, values);
    fQueue.Settle();
    // Type, request, value, index (the in or out endpoint) and length of each.
    auto fields = [](const plat::UsbSetup& s) { return std::array<int, 5>{s.requestType, s.request, s.value, s.index, s.length}; };
    ASSERT_EQ(fSetups.size(), 2u);
    EXPECT_EQ(fields(fSetups[0]), (std::array<int, 5>{0xC2, 0x00, 0, 1, 6}));
    EXPECT_EQ(fields(fSetups[1]), (std::array<int, 5>{0x42, 0x03, 0, 2, 4}));
    EXPECT_EQ(fSent, (std::vector<uint8_t>{0xFF, 0x22, 0x33, 0x00}));
    ASSERT_EQ(fLog.results.size(), 2u);
    EXPECT_EQ(fLog.results[0], std::make_pair(&get, 0u));
    EXPECT_EQ(get.values[0], 0x0102u);
    EXPECT_EQ(get.values[2], 0x0506u);
    EXPECT_EQ(fLog.results[1], std::make_pair(&set, 0u));
}

TEST_F(CDmxUsbIoTest, RefusedRequestsAnswerTwoAndWaitingOnesFailOnDestruction)
{
    ASSERT_EQ(fIo->Open(fInterface.Device().Path()), 0u);
    fAnswer = plat::kUsbStalled;
    CDmxSettingsRequest first;
    CDmxSettingsRequest waiting;
    fIo->QueueGetSettings(&first, &fLog, &SettingsLog::Done);
    fIo->QueueGetSettings(&waiting, &fLog, &SettingsLog::Done);
    fIo.reset(); // before the main thread has seen the first answer
    ASSERT_EQ(fLog.results.size(), 2u);
    EXPECT_EQ(fLog.results[0].second, 1u);
    EXPECT_EQ(fLog.results[1].second, 1u);

    fIo = std::make_unique<CDmxUsbIo>(nullptr, &fQueue);
    ASSERT_EQ(fIo->Open(fInterface.Device().Path()), 0u);
    CDmxSettingsRequest stalled;
    fIo->QueueGetSettings(&stalled, &fLog, &SettingsLog::Done);
    fQueue.Settle();
    EXPECT_EQ(fLog.results.back(), std::make_pair(&stalled, 2u));
}
