#pragma once
#include <cstdint>

// An IPv4 endpoint: the address as a u32 in host byte order (the rest of the 16-byte
// address field zero), then the port.
struct CIPAddress {
    uint32_t address = 0;
    uint8_t reserved[12] = {};
    uint16_t port = 0;
    uint16_t zero = 0;

    CIPAddress() = default;
    CIPAddress(uint32_t hostOrderAddress, uint16_t portNumber) : address(hostOrderAddress), port(portNumber) {}
    bool operator==(const CIPAddress& other) const { return address == other.address && port == other.port; }
};

static_assert(sizeof(CIPAddress) == 20, "address field, port, padding");
