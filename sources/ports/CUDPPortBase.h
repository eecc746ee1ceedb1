#pragma once
#include "foundation/core/LHandler.h"
#include "sources/ports/CIPAddress.h"

#include <cstdint>

// A UDP endpoint that never blocks; completions reach the parent as messages with the port
// as subject.
class CUDPPortBase : public LHandler {
public:
    explicit CUDPPortBase(LHandler* parent) : LHandler(parent) {}

    virtual bool IsOpen() const = 0;
    virtual uint32_t LocalPort() const = 0;
    virtual uint32_t ReceivedCount() const = 0;
    virtual bool CanSend() const = 0;
    virtual bool CanReceive() const = 0;
    // The sender of the last datagram received.
    virtual CIPAddress SenderAddress() const = 0;
    // 0 success (also when already open), 1 no socket, 2 the port is in use.
    [[nodiscard]] virtual int32_t Open(uint32_t port, uint32_t unused, uint32_t receiveBufferSize) = 0;
    virtual void Close() = 0;
    // The caller keeps the data until "CUDPPort_Sent". False when no send can start now.
    virtual bool SendTo(const CIPAddress& to, const void* data, uint32_t length) = 0;
    // Completes with "CUDPPort_Read". False when no receive can start now.
    virtual bool RecvFrom(void* buffer, uint32_t capacity) = 0;
};
