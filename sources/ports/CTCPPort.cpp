#include "sources/ports/CTCPPort.h"

#include "foundation/async/LAsyncQueue.h"
#include "foundation/core/StrEqual.h"
#include "platform/io/Socket.h"
#include "sources/ports/CFdWatcher.h"

const char* CTCPPort::msgRead = "CTCPPort_Read";
const char* CTCPPort::msgRcvA = "CTCPPort_RcvA";
const char* CTCPPort::msgSent = "CTCPPort_Sent";
const char* CTCPPort::msgConnected = "CTCPPort_Connected";
const char* CTCPPort::msgClose = "CTCPPort_Close";
const char* CTCPPort::msgRequest = "CTCPPort_Request";

namespace {

bool IsTransient(plat::IoError err)
{
    return err == plat::IoError::WouldBlock || err == plat::IoError::Interrupted;
}

} // namespace

CTCPPort* CTCPPort::Create(LHandler* parent, LAsyncQueue* queue) { return new CTCPPort(parent, queue); }

CTCPPort::CTCPPort(LHandler* parent, LAsyncQueue* queue)
    : CTCPPortBase(parent), fQueue(queue), fWatcher(CFdWatcher::Acquire(queue)), fConnectNote(this, queue),
      fRequestNote(this, queue), fSendDone(this, queue), fReceiveDone(this, queue)
{
}

CTCPPort::~CTCPPort()
{
    {
        LAsyncQueueLock lock(*fQueue);
        fSendDone.Stop();
        fReceiveDone.Stop();
        Close();
    }
    CFdWatcher::Release();
}

// The queries take the queue lock: the dispatch thread changes the transfer state under it.
bool CTCPPort::CanSend() const
{
    LAsyncQueueLock lock(*fQueue);
    return IsOpen() && fState == kConnected && !fSendBuffer;
}

bool CTCPPort::CanReceive() const
{
    LAsyncQueueLock lock(*fQueue);
    return IsOpen() && fState == kConnected && !fReceiveBuffer;
}

plat::IoError CTCPPort::ConnectFailure() const
{
    LAsyncQueueLock lock(*fQueue);
    return fConnectFailure;
}

uint32_t CTCPPort::TakeError()
{
    const uint32_t error = fError;
    fError = 0;
    return error;
}

int32_t CTCPPort::Open(uint32_t port, uint32_t backlog, uint32_t receiveBufferSize)
{
    LAsyncQueueLock lock(*fQueue);
    if (IsOpen())
        return 0;
    plat::IoError err;
    const int fd = plat::OpenSocket(plat::SocketKind::Stream, err);
    if (fd < 0)
        return 2;
    if (backlog > 0)
        plat::SetReuseAddress(fd); // a restarted server can listen while old connections linger
    if (port > 0xFFFF || !plat::BindAny(fd, uint16_t(port), err)) {
        plat::CloseFd(fd);
        return err == plat::IoError::AddressInUse || err == plat::IoError::AddressNotAvailable ? 3 : 2;
    }
    if (backlog > 0 && !plat::Listen(fd, int(backlog > 4096 ? 4096 : backlog), err)) {
        plat::CloseFd(fd);
        return err == plat::IoError::AddressInUse ? 3 : 2;
    }
    fListening = backlog > 0;
    Adopt(fd, receiveBufferSize);
    fState = kIdle;
    if (fListening)
        TryAccept();
    return 0;
}

void CTCPPort::Adopt(int socket, uint32_t receiveBufferSize)
{
    fSocket = socket;
    if (receiveBufferSize != 0) {
        plat::SetReceiveBufferSize(socket, receiveBufferSize);
        plat::SetNoDelay(socket);
    }
    plat::Endpoint local;
    if (plat::LocalEndpoint(socket, local)) {
        fLocalPort = local.port;
        fLocalAddress = CIPAddress(local.address, local.port);
    }
    fWatcher->Register(socket, CFdCallback{this, OnReady});
}

int32_t CTCPPort::Accept(LHandler* parent, CTCPPortBase** out, uint32_t receiveBufferSize)
{
    LAsyncQueueLock lock(*fQueue);
    if (out)
        *out = nullptr;
    if (fWaiting < 0)
        return 1;
    const int socket = fWaiting;
    fWaiting = -1;
    int32_t result = 1;
    if (out) {
        auto* port = new CTCPPort(parent, fQueue);
        port->Adopt(socket, receiveBufferSize);
        plat::Endpoint peer;
        if (plat::PeerEndpoint(socket, peer))
            port->fPeerAddress = CIPAddress(peer.address, peer.port);
        port->fState = kConnected;
        // The owner learns of the connection as of any other, and starts receiving then.
        port->fConnectNote.Post();
        *out = port;
        result = 0;
    } else {
        plat::CloseFd(socket);
    }
    TryAccept();
    return result;
}

void CTCPPort::TryAccept()
{
    if (!fListening || fSocket < 0 || fWaiting >= 0)
        return;
    plat::Endpoint peer;
    plat::IoError err;
    const int socket = plat::AcceptConnection(fSocket, peer, err);
    if (socket < 0) {
        fWatcher->Arm(fSocket, CFdWatcher::kReadable);
        return;
    }
    fWaiting = socket;
    fPeerAddress = CIPAddress(peer.address, peer.port);
    fRequestNote.Post();
}

void CTCPPort::CloseWaiting()
{
    plat::CloseFd(fWaiting);
    fWaiting = -1;
}

void CTCPPort::Close()
{
    LAsyncQueueLock lock(*fQueue);
    if (IsOpen()) {
        // Unregistered before it is closed, so the number is never watched for another file.
        fWatcher->Unregister(fSocket);
        plat::CloseFd(fSocket);
        fSocket = -1;
    }
    CloseWaiting();
    fListening = false;
    fState = kIdle;
    fSendBuffer = nullptr;
    fReceiveBuffer = nullptr;
}

void CTCPPort::Connect(const CIPAddress& peer)
{
    LAsyncQueueLock lock(*fQueue);
    if (!IsOpen() || fState != kIdle)
        return;
    fState = kConnecting;
    fPeerAddress = peer;
    fConnectFailure = plat::IoError::None;
    plat::IoError err;
    if (plat::ConnectTo(fSocket, plat::Endpoint{peer.address, peer.port}, err)) {
        fState = kConnected;
    } else if (err == plat::IoError::InProgress || err == plat::IoError::AlreadyInProgress ||
               err == plat::IoError::IsConnected || err == plat::IoError::Interrupted) {
        fWatcher->Arm(fSocket, CFdWatcher::kWritable);
        return;
    } else {
        fError = 1;
        fConnectFailure = err;
        fState = kIdle;
    }
    fConnectNote.Post();
}

void CTCPPort::Disconnect()
{
    LAsyncQueueLock lock(*fQueue);
    if (!IsOpen())
        return;
    Close();
    fConnectNote.Post();
}

bool CTCPPort::Send(const void* data, uint32_t length)
{
    LAsyncQueueLock lock(*fQueue);
    if (!CanSend() || (!data && length > 0))
        return false;
    static const uint8_t kNothing = 0;
    fSendBuffer = data ? static_cast<const uint8_t*>(data) : &kNothing;
    fSendOffset = 0;
    fSendLength = length;
    if (ContinueSend())
        fSendDone.Start(0);
    return true;
}

bool CTCPPort::Receive(void* buffer, uint32_t capacity)
{
    LAsyncQueueLock lock(*fQueue);
    if (!CanReceive() || !buffer || capacity == 0)
        return false;
    fReceiveBuffer = static_cast<uint8_t*>(buffer);
    fCapacity = capacity;
    fReceived = 0;
    if (ContinueReceive())
        fReceiveDone.Start(0);
    return true;
}

uint32_t CTCPPort::ReceiveNow(void* buffer, uint32_t length)
{
    LAsyncQueueLock lock(*fQueue);
    if (!IsOpen() || !buffer || length == 0)
        return 0;
    plat::IoError err;
    const long n = plat::ReceiveBytes(fSocket, buffer, length, err);
    if (n > 0)
        return uint32_t(n);
    if (n < 0 && IsTransient(err))
        fWatcher->Arm(fSocket, CFdWatcher::kReadable);
    else
        Lose();
    return 0;
}

bool CTCPPort::ContinueSend()
{
    if (!fSendBuffer)
        return false;
    while (fSendOffset < fSendLength) {
        plat::IoError err;
        const long n = plat::SendBytes(fSocket, fSendBuffer + fSendOffset, fSendLength - fSendOffset, err);
        if (n > 0) {
            fSendOffset += uint32_t(n);
            continue;
        }
        if (n < 0 && IsTransient(err)) {
            fWatcher->Arm(fSocket, CFdWatcher::kWritable);
            return false;
        }
        Lose();
        return false;
    }
    fSendBuffer = nullptr;
    return true;
}

bool CTCPPort::ContinueReceive()
{
    if (!fReceiveBuffer)
        return false;
    if (fCapacity > fReceived) {
        plat::IoError err;
        const long n = plat::ReceiveBytes(fSocket, fReceiveBuffer + fReceived, fCapacity - fReceived, err);
        if (n < 0 && IsTransient(err)) {
            fWatcher->Arm(fSocket, CFdWatcher::kReadable);
            return false;
        }
        if (n <= 0) {
            Lose();
            return false;
        }
        fReceived += uint32_t(n);
    }
    fReceiveBuffer = nullptr;
    return true;
}

// The connection ended (the peer closed, or an error): the connect note reports it.
void CTCPPort::Lose()
{
    fState = kIdle;
    fSendBuffer = nullptr;
    fReceiveBuffer = nullptr;
    fConnectNote.Post();
}

void CTCPPort::OnReady(void* context, uint32_t kind) { static_cast<CTCPPort*>(context)->HandleReady(kind); }

void CTCPPort::HandleReady(uint32_t kind)
{
    bool read = false;
    bool sent = false;
    bool readable = false;
    {
        LAsyncQueueLock lock(*fQueue);
        if (!IsOpen())
            return;
        if (kind == CFdWatcher::kWritable) {
            if (fState == kConnecting)
                FinishConnect();
            else
                sent = ContinueSend();
        } else if (fState == kIdle) {
            TryAccept(); // only a listening port accepts
        } else {
            read = ContinueReceive();
            readable = fState == kConnected;
        }
    }
    if (sent)
        LMessage::Send(LMessage(msgSent, this, Parent()));
    if (read)
        LMessage::Send(LMessage(msgRead, this, Parent()));
    if (readable)
        LMessage::Send(LMessage(msgRcvA, this, Parent()));
}

void CTCPPort::FinishConnect()
{
    plat::Endpoint local;
    plat::Endpoint peer;
    fConnectFailure = plat::ConnectResult(fSocket);
    if (fConnectFailure == plat::IoError::None && plat::LocalEndpoint(fSocket, local) &&
        plat::PeerEndpoint(fSocket, peer)) {
        fLocalPort = local.port;
        fLocalAddress = CIPAddress(local.address, local.port);
        fState = kConnected;
    } else {
        fState = kFailed;
    }
    fConnectNote.Post();
}

uint32_t CTCPPort::QueuedBytes() const
{
    if (!IsOpen())
        return 0;
    return plat::UnsentBytes(fSocket) + (fSendBuffer ? fSendLength - fSendOffset : 0);
}

void CTCPPort::LocalAddresses(std::vector<uint32_t>& out)
{
    out.clear();
    if (IsOpen())
        out = plat::HostAddresses();
}

void CTCPPort::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (msg.subject == &fReceiveDone && StrEqual(msg.type, LAsyncTimer::msgExpire)) {
        result = LMessage(msgRead, this, Parent());
        return;
    }
    if (msg.subject == &fSendDone && StrEqual(msg.type, LAsyncTimer::msgExpire)) {
        result = LMessage(msgSent, this, Parent());
        return;
    }
    if (msg.subject == &fConnectNote && StrEqual(msg.type, LAsyncEvent::msgNote)) {
        ReportConnectNote(result, msg);
        return;
    }
    if (msg.subject == &fRequestNote && StrEqual(msg.type, LAsyncEvent::msgNote)) {
        result = LMessage(msgRequest, this, Parent());
        return;
    }
    if (msg.subject == this && StrEqual(msg.type, msgRequest)) {
        // Nobody took the waiting connection: refuse it and wait for the next one.
        LAsyncQueueLock lock(*fQueue);
        CloseWaiting();
        TryAccept();
        LMessage::Clear(result);
        return;
    }
    CTCPPortBase::HandleMessage(result, msg);
}

void CTCPPort::ReportConnectNote(LMessage& result, const LMessage& msg)
{
    uint32_t state;
    {
        LAsyncQueueLock lock(*fQueue);
        state = fState;
        if (state == kIdle || state == kFailed)
            Close();
    }
    if (state == kConnected)
        result = LMessage(msgConnected, this, Parent());
    else if (state == kConnecting)
        LMessage::Clear(result);
    else
        result = LMessage(msgClose, this, Parent());
    (void)msg;
}
