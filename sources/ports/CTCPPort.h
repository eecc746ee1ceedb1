#pragma once
#include "foundation/async/LAsyncEvent.h"
#include "foundation/async/LAsyncTimer.h"
#include "platform/io/FdIo.h"
#include "sources/ports/CTCPPortBase.h"

class CFdWatcher;
class LAsyncQueue;

// An IPv4 stream socket watched by the descriptor watcher. Send and receive completions
// come on the queue's thread; connection outcomes and waiting incoming connections come as
// notes on the main thread.
class CTCPPort : public CTCPPortBase {
public:
    static const char* msgRead;
    static const char* msgRcvA;
    static const char* msgSent;
    static const char* msgConnected;
    static const char* msgClose;
    static const char* msgRequest;

    // States.
    static constexpr uint32_t kIdle = 0;       // idle or listening; also after a failure
    static constexpr uint32_t kConnecting = 1;
    static constexpr uint32_t kConnected = 2;
    static constexpr uint32_t kFailed = 4;     // the connection attempt failed

    static CTCPPort* Create(LHandler* parent, LAsyncQueue* queue);
    CTCPPort(LHandler* parent, LAsyncQueue* queue);
    // Closes the socket and any waiting connection under the queue lock.
    ~CTCPPort() override;

    void HandleMessage(LMessage& result, const LMessage& msg) override;
    void LocalAddresses(std::vector<uint32_t>& out) override;
    uint32_t LocalPort() const override { return fLocalPort; }
    uint32_t ReceivedCount() const override { return fReceived; }
    bool IsOpen() const override { return fSocket >= 0; }
    uint32_t State() const override { return fState; }
    bool CanSend() const override;
    bool CanReceive() const override;
    CIPAddress LocalAddress() const override { return fLocalAddress; }
    CIPAddress PeerAddress() const override { return fPeerAddress; }
    uint32_t TakeError() override;
    // Why the last connection attempt failed; None when it did not, or while it goes on.
    plat::IoError ConnectFailure() const;
    [[nodiscard]] int32_t Open(uint32_t port, uint32_t backlog, uint32_t receiveBufferSize) override;
    int32_t Accept(LHandler* parent, CTCPPortBase** out, uint32_t receiveBufferSize) override;
    void Close() override;
    void Connect(const CIPAddress& peer) override;
    void Disconnect() override;
    bool Send(const void* data, uint32_t length) override;
    uint32_t ReceiveNow(void* buffer, uint32_t length) override;
    bool Receive(void* buffer, uint32_t capacity) override;
    uint32_t QueuedBytes() const override;

private:
    static void OnReady(void* context, uint32_t kind);
    void HandleReady(uint32_t kind);
    void FinishConnect();
    void TryAccept();
    void CloseWaiting();
    void Adopt(int socket, uint32_t receiveBufferSize);
    void ApplyOptions(uint32_t receiveBufferSize);
    // Continue the pending operation; true when it completed.
    bool ContinueSend();
    bool ContinueReceive();
    void Lose();
    void ReportConnectNote(LMessage& result, const LMessage& msg);

    int fSocket = -1;
    int fWaiting = -1;            // an accepted connection waiting to be taken
    uint32_t fSendOffset = 0;
    uint32_t fSendLength = 0;
    const uint8_t* fSendBuffer = nullptr;
    uint32_t fReceived = 0;
    uint32_t fCapacity = 0;
    uint8_t* fReceiveBuffer = nullptr;
    uint32_t fState = kIdle;
    bool fListening = false;
    uint32_t fLocalPort = 0;
    uint32_t fError = 0;
    plat::IoError fConnectFailure = plat::IoError::None;
    CIPAddress fLocalAddress;
    CIPAddress fPeerAddress;
    LAsyncQueue* fQueue;
    CFdWatcher* fWatcher;
    LAsyncEvent fConnectNote;
    LAsyncEvent fRequestNote;
    LAsyncTimer fSendDone;
    LAsyncTimer fReceiveDone;
};
