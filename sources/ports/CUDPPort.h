#pragma once
#include "foundation/async/LAsyncTimer.h"
#include "sources/ports/CUDPPortBase.h"

class CFdWatcher;
class LAsyncQueue;

// An IPv4 datagram socket watched by the descriptor watcher; completions come on the
// queue's thread.
class CUDPPort : public CUDPPortBase {
public:
    static const char* msgRead;
    static const char* msgSent;

    static CUDPPort* Create(LHandler* parent, LAsyncQueue* queue);
    CUDPPort(LHandler* parent, LAsyncQueue* queue);
    ~CUDPPort() override;

    void HandleMessage(LMessage& result, const LMessage& msg) override;
    bool IsOpen() const override { return fSocket >= 0; }
    uint32_t LocalPort() const override { return fLocalPort; }
    uint32_t ReceivedCount() const override { return fReceived; }
    bool CanSend() const override;
    bool CanReceive() const override;
    CIPAddress SenderAddress() const override { return fSender; }
    [[nodiscard]] int32_t Open(uint32_t port, uint32_t unused, uint32_t receiveBufferSize) override;
    void Close() override;
    bool SendTo(const CIPAddress& to, const void* data, uint32_t length) override;
    bool RecvFrom(void* buffer, uint32_t capacity) override;

private:
    static void OnReady(void* context, uint32_t kind);
    bool ContinueSend();
    bool ContinueReceive();

    int fSocket = -1;
    uint32_t fSendLength = 0;
    const uint8_t* fSendBuffer = nullptr;
    uint32_t fReceived = 0;
    uint32_t fCapacity = 0;
    uint8_t* fReceiveBuffer = nullptr;
    uint32_t fLocalPort = 0;
    CIPAddress fSender;
    CIPAddress fDestination;
    LAsyncQueue* fQueue;
    CFdWatcher* fWatcher;
    LAsyncTimer fSendDone;
    LAsyncTimer fReceiveDone;
};
