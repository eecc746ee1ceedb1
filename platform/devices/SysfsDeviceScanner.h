#pragma once
#include "platform/devices/DeviceInfo.h"
#include "platform/devices/DeviceRegistry.h"

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace plat {

// Reads the USB devices (<root>/bus/usb/devices) and the serial ports (<root>/class/tty)
// that the kernel shows under a sysfs root, "/sys" on a running system; tests point it at a
// tree of their own. Entries that cannot be read are skipped.
std::vector<DeviceInfo> ScanSysfsDevices(const std::string& root);

// Feeds a registry from a sysfs root: once now and then every interval on a thread of its
// own, until it is destroyed.
class SysfsDeviceWatcher {
public:
    SysfsDeviceWatcher(DeviceRegistry& registry, std::string root, unsigned intervalMs = 1000);
    ~SysfsDeviceWatcher();
    SysfsDeviceWatcher(const SysfsDeviceWatcher&) = delete;
    SysfsDeviceWatcher& operator=(const SysfsDeviceWatcher&) = delete;

    // Starts the periodic scan (once; later calls do nothing).
    void Start();
    // Scans at once on the calling thread and reports the differences.
    void ScanNow();
    const std::string& Root() const { return fRoot; }

private:
    void Loop();

    DeviceRegistry& fRegistry;
    const std::string fRoot;
    const unsigned fIntervalMs;
    const uint32_t fSource;
    std::mutex fScanLock; // one scan at a time, so reports arrive in order
    std::mutex fStopLock;
    std::condition_variable fStopSignal;
    bool fStop = false;
    std::thread fThread;
};

// The process's device registry, watching $SONALYX_SYSFS_ROOT (default "/sys") from its
// first use on.
DeviceRegistry& SystemDevices();
// Scans the system's devices at once on the calling thread.
void RescanSystemDevices();

} // namespace plat
