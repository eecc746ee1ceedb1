#pragma once
#include <cstdint>
#include <string>

// A sysfs tree of its own for device tests: USB devices, their interfaces and serial ports
// appear and disappear as folders of attribute files, as the kernel shows them.
class FakeSysfs {
public:
    explicit FakeSysfs(std::string root);
    ~FakeSysfs();
    FakeSysfs(const FakeSysfs&) = delete;
    FakeSysfs& operator=(const FakeSysfs&) = delete;

    const std::string& Root() const { return fRoot; }

    // A USB device at a port name ("1-1.2"), with its interface folder ("1-1.2:1.0") beside it.
    void AddUsb(const std::string& port, uint16_t vendor, uint16_t product, uint8_t deviceClass = 0,
                uint8_t subclass = 0, int devnum = 5);
    void RemoveUsb(const std::string& port);
    // A tty; withDevice false makes a virtual terminal, uartType 0 an absent legacy port.
    void AddTty(const std::string& name, bool withDevice = true, int uartType = -1);
    void RemoveTty(const std::string& name);

private:
    std::string fRoot;
};
