#include "tests/support/FakeSysfs.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

void Write(const fs::path& file, const std::string& text)
{
    std::ofstream(file) << text << "\n";
}

std::string Hex(unsigned value, int digits)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*x", digits, value);
    return buffer;
}

} // namespace

FakeSysfs::FakeSysfs(std::string root) : fRoot(std::move(root))
{
    fs::remove_all(fRoot);
    fs::create_directories(fs::path(fRoot) / "bus/usb/devices");
    fs::create_directories(fs::path(fRoot) / "class/tty");
}

FakeSysfs::~FakeSysfs()
{
    std::error_code ignored;
    fs::remove_all(fRoot, ignored);
}

void FakeSysfs::AddUsb(const std::string& port, uint16_t vendor, uint16_t product, uint8_t deviceClass,
                       uint8_t subclass, int devnum)
{
    const fs::path dir = fs::path(fRoot) / "bus/usb/devices" / port;
    fs::create_directories(dir);
    Write(dir / "idVendor", Hex(vendor, 4));
    Write(dir / "idProduct", Hex(product, 4));
    Write(dir / "bDeviceClass", Hex(deviceClass, 2));
    Write(dir / "bDeviceSubClass", Hex(subclass, 2));
    Write(dir / "busnum", "1");
    Write(dir / "devnum", std::to_string(devnum));
    Write(dir / "product", "Test device " + port);
    const fs::path interface = fs::path(fRoot) / "bus/usb/devices" / (port + ":1.0");
    fs::create_directories(interface);
    Write(interface / "bInterfaceClass", "ff");
}

void FakeSysfs::RemoveUsb(const std::string& port)
{
    fs::remove_all(fs::path(fRoot) / "bus/usb/devices" / port);
    fs::remove_all(fs::path(fRoot) / "bus/usb/devices" / (port + ":1.0"));
}

void FakeSysfs::AddTty(const std::string& name, bool withDevice, int uartType)
{
    const fs::path dir = fs::path(fRoot) / "class/tty" / name;
    fs::create_directories(dir);
    Write(dir / "dev", "188:0");
    if (withDevice)
        fs::create_directories(dir / "device");
    if (uartType >= 0)
        Write(dir / "type", std::to_string(uartType));
}

void FakeSysfs::RemoveTty(const std::string& name)
{
    fs::remove_all(fs::path(fRoot) / "class/tty" / name);
}
