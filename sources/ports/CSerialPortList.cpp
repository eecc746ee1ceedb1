#include "sources/ports/CSerialPortList.h"

#include <cstring>

CSerialPortList::CSerialPortList() : fPorts(plat::ListSerialPorts()) {}

bool CSerialPortList::Next()
{
    while (fIndex < fPorts.size()) {
        const plat::SerialPortInfo& info = fPorts[fIndex++];
        if (info.name.empty() || info.path.empty())
            continue;
        fName = LStringRef(std::string_view(info.name));
        fPath = LStringRef(std::string_view(info.path));
        fValid = true;
        return true;
    }
    fValid = false;
    fName = LStringRef();
    fPath = LStringRef();
    return false;
}

CSerialPortList* MakeSerialPortList() { return new CSerialPortList; }

LStringRef FindSerialDevice(const char* name)
{
    if (!name || !*name)
        return LStringRef();
    CSerialPortList list;
    while (list.Next()) {
        if (std::strcmp(list.Name().Text(), name) == 0)
            return list.Path();
    }
    return LStringRef();
}
