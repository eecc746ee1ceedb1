#pragma once
#include "platform/io/FdIo.h"

#include <cstdint>
#include <string>
#include <vector>

namespace plat {

// A serial device by the stable name the user picks it by, and the path that opens it.
struct SerialPortInfo {
    std::string name;
    std::string path;
};

// The serial devices of the system, in this order: the entries of SONALYX_SERIAL_PORTS
// ("name=/path;..."), the links of /dev/serial/by-id (name: the link's name, path: the link,
// which follows the device when it comes back under another number), then the tty devices
// of /sys/class/tty that have hardware behind them and are not listed yet (name: "ttyUSB0",
// path: "/dev/ttyUSB0"). Names are unique; the first entry of a name wins.
std::vector<SerialPortInfo> ListSerialPorts();

// Opens a serial device for exclusive, raw, non-blocking use: O_NOCTTY, exclusive mode
// plus an advisory lock that holds against every user (Busy when another holds it), 8 data
// bits, receiver on, modem lines ignored, no parity, no flow control, no echo or signals,
// reads return what is there (VMIN = VTIME = 0). The speed is left as it is. -1 with err on
// failure.
int OpenSerialDevice(const std::string& path, IoError& err);

// Settings applied at once; false when the device refused them (or fd is not a tty).
bool SetSerialStopBits(int fd, uint32_t stopBits);
// 0 none, 1 CTS output flow control, 2 RTS/CTS both ways; other values turn it off.
bool SetSerialFlowControl(int fd, uint32_t mode);
bool SetSerialBaudRate(int fd, uint32_t rate);

} // namespace plat
