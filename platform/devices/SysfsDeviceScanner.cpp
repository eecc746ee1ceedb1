#include "platform/devices/SysfsDeviceScanner.h"

#include <algorithm>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace plat {

namespace {

constexpr size_t kMaxAttribute = 256;
constexpr size_t kMaxEntries = 4096;

// The first line of a small attribute file, without its line end; nothing when unreadable.
bool ReadAttribute(const std::string& path, std::string& text)
{
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    char buffer[kMaxAttribute];
    const ssize_t n = read(fd, buffer, sizeof buffer);
    close(fd);
    if (n < 0)
        return false;
    text.assign(buffer, size_t(n));
    text.resize(std::min(text.find_first_of("\r\n"), text.size()));
    return true;
}

bool ReadNumber(const std::string& path, int base, int64_t& value)
{
    std::string text;
    if (!ReadAttribute(path, text) || text.empty() || text.size() > 16)
        return false;
    char* end = nullptr;
    const long long v = std::strtoll(text.c_str(), &end, base);
    if (end == text.c_str() || *end != '\0' || v < 0)
        return false;
    value = v;
    return true;
}

bool Exists(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

std::vector<std::string> ListFolder(const std::string& path)
{
    std::vector<std::string> names;
    DIR* dir = opendir(path.c_str());
    if (!dir)
        return names;
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != ".." && names.size() < kMaxEntries)
            names.push_back(name);
    }
    closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

void ScanUsb(const std::string& root, std::vector<DeviceInfo>& out)
{
    const std::string folder = root + "/bus/usb/devices/";
    for (const std::string& name : ListFolder(folder)) {
        const std::string dir = folder + name + "/";
        DeviceInfo device;
        device.kind = DeviceKind::Usb;
        int64_t value = 0;
        // Interfaces share the folder but have no vendor: only devices are taken.
        if (!ReadNumber(dir + "idVendor", 16, value))
            continue;
        device.numbers["idVendor"] = value;
        for (const char* hex : {"idProduct", "bDeviceClass", "bDeviceSubClass"})
            if (ReadNumber(dir + hex, 16, value))
                device.numbers[hex] = value;
        for (const char* dec : {"busnum", "devnum"})
            if (ReadNumber(dir + dec, 10, value))
                device.numbers[dec] = value;
        std::string text;
        for (const char* key : {"manufacturer", "product", "serial"})
            if (ReadAttribute(dir + key, text))
                device.texts[key] = text;
        device.key = "usb:" + name + "#" + std::to_string(device.numbers["devnum"]);
        out.push_back(std::move(device));
    }
}

void ScanSerial(const std::string& root, std::vector<DeviceInfo>& out)
{
    const std::string folder = root + "/class/tty/";
    for (const std::string& name : ListFolder(folder)) {
        const std::string dir = folder + name + "/";
        // Virtual terminals and pseudo-terminals have no device behind them.
        if (!Exists(dir + "device"))
            continue;
        // Legacy UARTs are listed whether or not the hardware is there; type 0 means absent.
        int64_t type = 0;
        if (ReadNumber(dir + "type", 10, type) && type == 0)
            continue;
        DeviceInfo port;
        port.kind = DeviceKind::Serial;
        port.key = "tty:" + name;
        port.texts["name"] = name;
        port.texts["path"] = "/dev/" + name;
        out.push_back(std::move(port));
    }
}

} // namespace

std::vector<DeviceInfo> ScanSysfsDevices(const std::string& root)
{
    std::vector<DeviceInfo> devices;
    ScanUsb(root, devices);
    ScanSerial(root, devices);
    return devices;
}

SysfsDeviceWatcher::SysfsDeviceWatcher(DeviceRegistry& registry, std::string root, unsigned intervalMs)
    : fRegistry(registry), fRoot(std::move(root)), fIntervalMs(intervalMs), fSource(registry.NewSource())
{
}

SysfsDeviceWatcher::~SysfsDeviceWatcher()
{
    {
        std::lock_guard guard(fStopLock);
        fStop = true;
    }
    fStopSignal.notify_all();
    if (fThread.joinable())
        fThread.join();
    fRegistry.Update(fSource, {});
}

void SysfsDeviceWatcher::Start()
{
    std::lock_guard guard(fStopLock);
    if (!fThread.joinable() && !fStop)
        fThread = std::thread([this] { Loop(); });
}

void SysfsDeviceWatcher::ScanNow()
{
    std::lock_guard guard(fScanLock);
    fRegistry.Update(fSource, ScanSysfsDevices(fRoot));
}

void SysfsDeviceWatcher::Loop()
{
    std::unique_lock lock(fStopLock);
    while (!fStop) {
        lock.unlock();
        ScanNow();
        lock.lock();
        fStopSignal.wait_for(lock, std::chrono::milliseconds(fIntervalMs), [this] { return fStop; });
    }
}

namespace {

struct SystemWatch {
    DeviceRegistry registry; // declared first: destroyed after the watcher's thread has ended
    SysfsDeviceWatcher watcher;

    SystemWatch() : watcher(registry, RootFromEnvironment())
    {
        watcher.ScanNow();
        watcher.Start();
    }

    static std::string RootFromEnvironment()
    {
        const char* root = std::getenv("SONALYX_SYSFS_ROOT");
        return root && *root ? std::string(root) : std::string("/sys");
    }
};

SystemWatch& TheSystemWatch()
{
    static SystemWatch watch;
    return watch;
}

} // namespace

DeviceRegistry& SystemDevices()
{
    return TheSystemWatch().registry;
}

void RescanSystemDevices()
{
    TheSystemWatch().watcher.ScanNow();
}

} // namespace plat
