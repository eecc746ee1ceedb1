#pragma once
#include "foundation/core/LStringRef.h"

// What a serial port is opened by: the device name as the port list shows it, and two
// further texts the port keeps with it.
struct CSerialPortSpec {
    LStringRef name;
    LStringRef extra[2];
};
