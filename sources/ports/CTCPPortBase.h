#pragma once
#include "foundation/core/LHandler.h"
#include "sources/ports/CIPAddress.h"

#include <cstdint>
#include <vector>

// A TCP endpoint that never blocks: each operation completes at once or later, and every
// completion reaches the parent as a message with the port as subject.
class CTCPPortBase : public LHandler {
public:
    explicit CTCPPortBase(LHandler* parent) : LHandler(parent) {}

    // The host's IPv4 addresses (host byte order) while the port is open.
    virtual void LocalAddresses(std::vector<uint32_t>& out) = 0;
    virtual uint32_t LocalPort() const = 0;
    virtual uint32_t ReceivedCount() const = 0;
    virtual bool IsOpen() const = 0;
    virtual uint32_t State() const = 0;
    virtual bool CanSend() const = 0;
    virtual bool CanReceive() const = 0;
    virtual CIPAddress LocalAddress() const = 0;
    virtual CIPAddress PeerAddress() const = 0;
    // Returns the error flag and clears it.
    virtual uint32_t TakeError() = 0;
    // 0 success (also when already open), 2 no socket, 3 the port is in use.
    [[nodiscard]] virtual int32_t Open(uint32_t port, uint32_t backlog, uint32_t receiveBufferSize) = 0;
    // Takes the waiting incoming connection into a new port with the given parent; 0 on
    // success, 1 when none waits (or out is null, which refuses the connection).
    virtual int32_t Accept(LHandler* parent, CTCPPortBase** out, uint32_t receiveBufferSize) = 0;
    virtual void Close() = 0;
    virtual void Connect(const CIPAddress& peer) = 0;
    virtual void Disconnect() = 0;
    // The caller keeps the data until "CTCPPort_Sent". False when no send can start now.
    virtual bool Send(const void* data, uint32_t length) = 0;
    // One receive now: the count, or 0 (nothing there yet, or the peer closed).
    virtual uint32_t ReceiveNow(void* buffer, uint32_t length) = 0;
    // Completes with "CTCPPort_Read" once bytes arrived. False when none can start now.
    virtual bool Receive(void* buffer, uint32_t capacity) = 0;
    virtual uint32_t QueuedBytes() const { return 0; }
};
