#pragma once
#include "foundation/core/LStringRef.h"
#include "platform/io/Serial.h"

#include <vector>

// Walks the serial devices of the system, as found when the list is made.
class CSerialPortList {
public:
    CSerialPortList();
    virtual ~CSerialPortList() = default;
    CSerialPortList(const CSerialPortList&) = delete;
    CSerialPortList& operator=(const CSerialPortList&) = delete;

    // Moves to the next device (the first on the first call); false when none is left.
    virtual bool Next();
    // The current device's name and path (empty before the first Next and after the last).
    virtual LStringRef Name() const { return fName; }
    LStringRef Path() const { return fPath; }

private:
    std::vector<plat::SerialPortInfo> fPorts;
    size_t fIndex = 0;
    bool fValid = false;
    LStringRef fName;
    LStringRef fPath;
};

CSerialPortList* MakeSerialPortList();
// The path of the first device of the list with that name, or "".
LStringRef FindSerialDevice(const char* name);
