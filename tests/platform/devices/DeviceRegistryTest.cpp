#include "platform/devices/DeviceRegistry.h"
#include "platform/devices/SysfsDeviceScanner.h"
#include "platform/devices/TestDeviceBackend.h"
#include "tests/support/FakeSysfs.h"

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <thread>

namespace {

std::vector<plat::DeviceId> Drain(plat::DeviceIterator& it)
{
    std::vector<plat::DeviceId> ids;
    for (int guard = 0; guard < 1000; ++guard) {
        const plat::DeviceId id = it.Next();
        if (id == 0)
            break;
        ids.push_back(id);
    }
    return ids;
}

plat::DeviceMatch AnyUsb() { return plat::DeviceMatch(plat::DeviceKind::Usb); }

// Counts wake-ups of one notification and drains it on demand.
struct Watcher {
    std::atomic<int> wakes{0};
    std::unique_ptr<plat::DeviceNotification> note;
    Watcher(plat::DeviceRegistry& registry, plat::DeviceNotice notice, const plat::DeviceMatch& match)
        : note(registry.Notify(notice, match, [this] { ++wakes; }))
    {
    }
    std::vector<plat::DeviceId> Drain() { return ::Drain(*note); }
};

class SysfsTree : public testing::Test {
protected:
    SysfsTree() : fTree(std::string(std::getenv("TMPDIR")) + "/sysfs"), fWatcher(fRegistry, fTree.Root()) {}
    std::string KeyOf(plat::DeviceId id) { return fRegistry.Info(id).value_or(plat::DeviceInfo{}).key; }

    FakeSysfs fTree;
    plat::DeviceRegistry fRegistry;
    plat::SysfsDeviceWatcher fWatcher;
};

} // namespace

TEST(DeviceRegistry, FirstMatchStartsWithDevicesPresentAndWakesOnlyWhenDrained)
{
    plat::DeviceRegistry registry;
    plat::TestDeviceBackend backend(registry);
    backend.Plug(plat::TestDeviceBackend::Usb("a", 0x0403, 0x6001));
    Watcher added(registry, plat::DeviceNotice::FirstMatch, AnyUsb());

    backend.Plug(plat::TestDeviceBackend::Usb("b", 0x0403, 0x6010));
    EXPECT_EQ(added.wakes, 0); // not armed until first drained
    EXPECT_EQ(added.Drain().size(), 2u);

    backend.Plug(plat::TestDeviceBackend::Usb("c", 1, 2));
    backend.Plug(plat::TestDeviceBackend::Usb("d", 1, 3));
    EXPECT_EQ(added.wakes, 1); // the second arrival joins a queue not yet drained
    const auto ids = added.Drain();
    ASSERT_EQ(ids.size(), 2u);
    EXPECT_EQ(registry.Info(ids[0])->key, "c");
    EXPECT_EQ(registry.Info(ids[1])->key, "d");
    EXPECT_TRUE(added.Drain().empty());
}

TEST(DeviceRegistry, TerminateReportsLeavingDevicesOnce)
{
    plat::DeviceRegistry registry;
    plat::TestDeviceBackend backend(registry);
    backend.Plug(plat::TestDeviceBackend::Usb("a", 1, 1));
    Watcher removed(registry, plat::DeviceNotice::Terminate, AnyUsb());
    EXPECT_TRUE(removed.Drain().empty());
    const plat::DeviceId id = Drain(*registry.Matching(AnyUsb())).at(0);

    backend.Unplug("a");
    EXPECT_EQ(removed.wakes, 1);
    EXPECT_EQ(removed.Drain(), std::vector<plat::DeviceId>{id});
    EXPECT_FALSE(registry.Info(id));
    backend.Unplug("a");
    EXPECT_EQ(removed.wakes, 1);
}

TEST(DeviceRegistry, WakeFunctionMayEndNotifications)
{
    plat::DeviceRegistry registry;
    plat::TestDeviceBackend backend(registry);
    std::unique_ptr<plat::DeviceNotification> first, second;
    int wakes = 0;
    first = registry.Notify(plat::DeviceNotice::FirstMatch, AnyUsb(), [&] {
        ++wakes;
        first.reset();
        second.reset();
    });
    second = registry.Notify(plat::DeviceNotice::FirstMatch, AnyUsb(), [&] { ++wakes; });
    first->Next();
    second->Next();
    backend.Plug(plat::TestDeviceBackend::Usb("a", 1, 1));
    EXPECT_EQ(wakes, 1);
    EXPECT_FALSE(first);
    backend.Plug(plat::TestDeviceBackend::Usb("b", 1, 1));
    EXPECT_EQ(wakes, 1);
}

TEST(DeviceRegistry, NoticesFromManyThreadsAreAllDelivered)
{
    plat::DeviceRegistry registry;
    std::atomic<int> seen{0};
    std::unique_ptr<plat::DeviceNotification> note;
    note = registry.Notify(plat::DeviceNotice::FirstMatch, AnyUsb(), [&] {
        while (note->Next() != 0)
            ++seen;
    });
    note->Next();
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&registry, t] {
            const uint32_t source = registry.NewSource();
            std::vector<plat::DeviceInfo> present;
            for (int i = 0; i < 50; ++i) {
                present.push_back(plat::TestDeviceBackend::Usb(std::to_string(t) + "/" + std::to_string(i), t, i));
                registry.Update(source, present);
            }
        });
    }
    for (auto& thread : threads)
        thread.join();
    while (note->Next() != 0)
        ++seen;
    EXPECT_EQ(seen, 200);
    EXPECT_EQ(registry.Count(), 200u);
}

TEST_F(SysfsTree, UsbDeviceArrivesAndLeaves)
{
    const plat::DeviceMatch match = AnyUsb().Require("idVendor", 0x0403).Require("idProduct", 0x6010);
    fTree.AddUsb("1-1", 0x0403, 0x6010, 0, 0, 4);
    fWatcher.ScanNow();
    Watcher added(fRegistry, plat::DeviceNotice::FirstMatch, match);
    Watcher removed(fRegistry, plat::DeviceNotice::Terminate, match);
    ASSERT_EQ(added.Drain().size(), 1u);
    removed.Drain();

    fTree.AddUsb("1-2", 0x0403, 0x6010, 0, 0, 7);
    fTree.AddUsb("1-3", 0x0403, 0x6001, 0, 0, 8); // another product: no notice
    fTree.AddUsb("2-1", 0x046d, 0x6010, 0, 0, 2); // another vendor: no notice
    fWatcher.ScanNow();
    EXPECT_EQ(added.wakes, 1);
    const auto arrived = added.Drain();
    ASSERT_EQ(arrived.size(), 1u);
    const plat::DeviceInfo info = *fRegistry.Info(arrived[0]);
    EXPECT_EQ(info.key, "usb:1-2#7");
    EXPECT_EQ(info.texts.at("product"), "Test device 1-2");

    fWatcher.ScanNow(); // nothing changed: nothing reported
    EXPECT_EQ(added.wakes, 1);
    EXPECT_EQ(removed.wakes, 0);

    fTree.RemoveUsb("1-3");
    fTree.RemoveUsb("1-2");
    fWatcher.ScanNow();
    EXPECT_EQ(removed.wakes, 1);
    EXPECT_EQ(removed.Drain(), arrived);
}

TEST_F(SysfsTree, MatchesByClassAndSubclass)
{
    fTree.AddUsb("1-1", 0x0403, 0x6001, 0xff, 0xff);
    fTree.AddUsb("1-2", 0x05e3, 0x0608, 9, 0);
    fWatcher.ScanNow();
    const auto hubs = Drain(*fRegistry.Matching(AnyUsb().Require("bDeviceClass", 9).Require("bDeviceSubClass", 0)));
    ASSERT_EQ(hubs.size(), 1u);
    EXPECT_EQ(KeyOf(hubs[0]), "usb:1-2#5");
    EXPECT_EQ(Drain(*fRegistry.Matching(AnyUsb().Require("bDeviceClass", 0xff))).size(), 1u);
    EXPECT_EQ(Drain(*fRegistry.Matching(AnyUsb())).size(), 2u); // interfaces are not devices
}

TEST_F(SysfsTree, ReplugOnTheSamePortIsANewDevice)
{
    fTree.AddUsb("1-1", 1, 1, 0, 0, 4);
    fWatcher.ScanNow();
    Watcher removed(fRegistry, plat::DeviceNotice::Terminate, AnyUsb());
    removed.Drain();
    fTree.RemoveUsb("1-1");
    fTree.AddUsb("1-1", 1, 1, 0, 0, 5);
    fWatcher.ScanNow();
    EXPECT_EQ(removed.Drain().size(), 1u);
    EXPECT_EQ(fRegistry.Count(), 1u);
}

TEST_F(SysfsTree, SerialPortsWithHardwareOnly)
{
    fTree.AddTty("ttyUSB0");
    fTree.AddTty("tty1", false);    // a virtual terminal
    fTree.AddTty("ttyS0", true, 0); // a legacy port with nothing behind it
    fTree.AddTty("ttyS1", true, 4);
    fWatcher.ScanNow();
    std::vector<std::string> paths;
    for (plat::DeviceId id : Drain(*fRegistry.Matching(plat::DeviceMatch(plat::DeviceKind::Serial))))
        paths.push_back(fRegistry.Info(id)->texts.at("path"));
    EXPECT_EQ(paths, (std::vector<std::string>{"/dev/ttyS1", "/dev/ttyUSB0"}));
}

TEST_F(SysfsTree, BadAttributesAreSkipped)
{
    fTree.AddUsb("1-1", 1, 1);
    fTree.AddUsb("1-2", 1, 1);
    std::ofstream(fTree.Root() + "/bus/usb/devices/1-2/idVendor") << "zz\n";
    std::ofstream(fTree.Root() + "/bus/usb/devices/1-1/idProduct") << std::string(5000, '1');
    fWatcher.ScanNow();
    const auto ids = Drain(*fRegistry.Matching(AnyUsb()));
    ASSERT_EQ(ids.size(), 1u);
    EXPECT_EQ(fRegistry.Info(ids[0])->numbers.count("idProduct"), 0u);
    EXPECT_TRUE(plat::ScanSysfsDevices("/nonexistent/root").empty());
}

TEST_F(SysfsTree, WatcherThreadNoticesWithinItsInterval)
{
    plat::DeviceRegistry registry;
    plat::SysfsDeviceWatcher watcher(registry, fTree.Root(), 20);
    std::atomic<int> wakes{0};
    auto note = registry.Notify(plat::DeviceNotice::FirstMatch, AnyUsb(), [&] { ++wakes; });
    note->Next();
    watcher.Start();
    fTree.AddUsb("3-1", 9, 9);
    for (int i = 0; i < 500 && wakes == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(wakes, 1);
}
