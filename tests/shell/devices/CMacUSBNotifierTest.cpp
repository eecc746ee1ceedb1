#include "shell/devices/CIOServiceIter.h"
#include "shell/devices/CMacUSBNotifier.h"
#include "foundation/async/LTicks.h"
#include "foundation/core/StrEqual.h"
#include "platform/runloop/RunLoopDriver.h"
#include "platform/devices/TestDeviceBackend.h"
#include "tests/support/FireDueTimers.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <thread>

namespace {

// The owner of a notifier: counts what arrives and takes it.
class DeviceOwner : public LHandler {
public:
    void HandleMessage(LMessage& result, const LMessage& msg) override
    {
        if (StrEqual(msg.type, CMacUSBNotifier::msgAddDev) || StrEqual(msg.type, CMacUSBNotifier::msgRmvDev)) {
            (StrEqual(msg.type, CMacUSBNotifier::msgAddDev) ? added : removed)++;
            lastSubject = msg.subject;
            lastThread = std::this_thread::get_id();
            LMessage::Clear(result);
            return;
        }
        LHandler::HandleMessage(result, msg);
    }
    int added = 0;
    int removed = 0;
    LHandler* lastSubject = nullptr;
    std::thread::id lastThread;
};

class Notifiers : public testing::Test {
protected:
    // Runs the main thread's work as the main loop does: run-loop sources, then due timers,
    // until neither has anything left.
    static void Pump()
    {
        plat::RunLoopDriver driver(plat::RunLoop::Current());
        for (int pass = 0; pass < 100; ++pass) {
            const size_t ran = driver.RunUntilIdle();
            if (ran + size_t(FireDueTimers()) == 0)
                return;
        }
        ADD_FAILURE() << "the loop never went idle";
    }

    plat::DeviceRegistry fRegistry;
    plat::TestDeviceBackend fBackend{fRegistry};
    DeviceOwner fOwner;
};

using plat::TestDeviceBackend;
constexpr uint32_t kAny = CMacUSBNotifier::kAny;

} // namespace

TEST_F(Notifiers, ReportsDevicesPresentOnceAfterStart)
{
    fBackend.Plug(TestDeviceBackend::Usb("a", 0x0403, 0x6001));
    CMacUSBNotifier notifier(&fOwner, kAny, kAny, 0x0403, 0x6001, fRegistry);
    EXPECT_EQ(fOwner.added, 0); // nothing before the main loop runs
    Pump();
    EXPECT_EQ(fOwner.added, 1);
    EXPECT_EQ(fOwner.removed, 1); // each notification reports once at the start
    EXPECT_EQ(fOwner.lastSubject, &notifier);
    Pump();
    EXPECT_EQ(fOwner.added, 1);
}

TEST_F(Notifiers, ArrivalAndRemovalOfMatchingDevicesOnlyOnTheMakingThread)
{
    CMacUSBNotifier notifier(&fOwner, kAny, kAny, 0x0403, kAny, fRegistry);
    Pump();
    fOwner.added = fOwner.removed = 0;
    fBackend.Plug(TestDeviceBackend::Usb("other", 0x046d, 1));
    Pump();
    EXPECT_EQ(fOwner.added, 0);
    fBackend.Plug(TestDeviceBackend::Usb("dmx", 0x0403, 0x6001));
    Pump();
    EXPECT_EQ(fOwner.added, 1);
    fBackend.Unplug("other");
    Pump();
    EXPECT_EQ(fOwner.removed, 0);
    fBackend.Unplug("dmx");
    Pump();
    EXPECT_EQ(fOwner.removed, 1);
    // An arrival on another thread is delivered on the making thread.
    std::thread([&] { fBackend.Plug(TestDeviceBackend::Usb("late", 0x0403, 1)); }).join();
    EXPECT_EQ(fOwner.added, 1);
    Pump();
    EXPECT_EQ(fOwner.added, 2);
    EXPECT_EQ(fOwner.lastThread, std::this_thread::get_id());
}

TEST_F(Notifiers, TwoDevicesAtOnceDrainTheIterator)
{
    CMacUSBNotifier notifier(&fOwner, kAny, kAny, kAny, kAny, fRegistry);
    Pump();
    fOwner.added = 0;
    fBackend.Plug(TestDeviceBackend::Usb("a", 1, 1));
    fBackend.Plug(TestDeviceBackend::Usb("b", 2, 2));
    Pump();
    EXPECT_TRUE(fOwner.added == 1 || fOwner.added == 2) << fOwner.added;
    // Drained: the next arrival is reported again.
    fOwner.added = 0;
    fBackend.Plug(TestDeviceBackend::Usb("c", 3, 3));
    Pump();
    EXPECT_EQ(fOwner.added, 1);
}

TEST_F(Notifiers, DestroyedBeforeItsStartTimerSendsNothing)
{
    fBackend.Plug(TestDeviceBackend::Usb("a", 1, 1));
    {
        CMacUSBNotifier notifier(&fOwner, kAny, kAny, kAny, kAny, fRegistry);
        fBackend.Plug(TestDeviceBackend::Usb("b", 1, 1));
    }
    fBackend.Plug(TestDeviceBackend::Usb("c", 1, 1));
    Pump();
    EXPECT_EQ(fOwner.added + fOwner.removed, 0);
}

TEST_F(Notifiers, NullMatchIsSilentAndEmpty)
{
    CIOKitNotification silent(&fOwner, nullptr, plat::DeviceNotice::FirstMatch, fRegistry);
    fBackend.Plug(TestDeviceBackend::Usb("a", 1, 1));
    Pump();
    EXPECT_EQ(silent.Iterator(), nullptr);
    CIOServiceIter none(nullptr, fRegistry);
    EXPECT_EQ(none.Next(), 0u);
    DrainIterator(nullptr);
}

