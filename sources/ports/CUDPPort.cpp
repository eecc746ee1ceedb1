#include "sources/ports/CUDPPort.h"

#include "foundation/async/LAsyncQueue.h"
#include "foundation/core/StrEqual.h"
#include "platform/io/Socket.h"
#include "sources/ports/CFdWatcher.h"

const char* CUDPPort::msgRead = "CUDPPort_Read";
const char* CUDPPort::msgSent = "CUDPPort_Sent";

CUDPPort* CUDPPort::Create(LHandler* parent, LAsyncQueue* queue) { return new CUDPPort(parent, queue); }

CUDPPort::CUDPPort(LHandler* parent, LAsyncQueue* queue)
    : CUDPPortBase(parent), fQueue(queue), fWatcher(CFdWatcher::Acquire(queue)), fSendDone(this, queue),
      fReceiveDone(this, queue)
{
}

CUDPPort::~CUDPPort()
{
    {
        LAsyncQueueLock lock(*fQueue);
        fSendDone.Stop();
        fReceiveDone.Stop();
        Close();
    }
    CFdWatcher::Release();
}

int32_t CUDPPort::Open(uint32_t port, uint32_t, uint32_t receiveBufferSize)
{
    LAsyncQueueLock lock(*fQueue);
    if (IsOpen())
        return 0;
    plat::IoError err;
    const int fd = plat::OpenSocket(plat::SocketKind::Datagram, err);
    if (fd < 0)
        return 1;
    if (port > 0xFFFF || !plat::BindAny(fd, uint16_t(port), err)) {
        plat::CloseFd(fd);
        return err == plat::IoError::AddressInUse || err == plat::IoError::AddressNotAvailable ? 2 : 1;
    }
    plat::Endpoint local;
    if (plat::LocalEndpoint(fd, local))
        fLocalPort = local.port;
    plat::SetBroadcast(fd);
    if (receiveBufferSize != 0)
        plat::SetReceiveBufferSize(fd, receiveBufferSize);
    fSocket = fd;
    fWatcher->Register(fd, CFdCallback{this, OnReady});
    return 0;
}

void CUDPPort::Close()
{
    LAsyncQueueLock lock(*fQueue);
    if (IsOpen()) {
        fWatcher->Unregister(fSocket);
        plat::CloseFd(fSocket);
        fSocket = -1;
    }
    fSendBuffer = nullptr;
    fReceiveBuffer = nullptr;
}

bool CUDPPort::SendTo(const CIPAddress& to, const void* data, uint32_t length)
{
    LAsyncQueueLock lock(*fQueue);
    if (!CanSend() || (!data && length > 0))
        return false;
    static const uint8_t kNothing = 0;
    fDestination = to;
    fSendBuffer = data ? static_cast<const uint8_t*>(data) : &kNothing;
    fSendLength = length;
    if (ContinueSend())
        fSendDone.Start(0);
    return true;
}

// The queries take the queue lock: the dispatch thread changes the transfer state under it.
bool CUDPPort::CanSend() const
{
    LAsyncQueueLock lock(*fQueue);
    return IsOpen() && !fSendBuffer;
}

bool CUDPPort::CanReceive() const
{
    LAsyncQueueLock lock(*fQueue);
    return IsOpen() && !fReceiveBuffer;
}

bool CUDPPort::RecvFrom(void* buffer, uint32_t capacity)
{
    LAsyncQueueLock lock(*fQueue);
    if (!CanReceive() || !buffer)
        return false;
    fReceiveBuffer = static_cast<uint8_t*>(buffer);
    fCapacity = capacity;
    fReceived = 0;
    if (ContinueReceive())
        fReceiveDone.Start(0);
    return true;
}

bool CUDPPort::ContinueSend()
{
    if (!fSendBuffer)
        return false;
    plat::IoError err;
    const long n = plat::SendDatagram(fSocket, plat::Endpoint{fDestination.address, fDestination.port}, fSendBuffer,
                                      fSendLength, err);
    if (n < 0 && (err == plat::IoError::Interrupted || err == plat::IoError::WouldBlock ||
                  err == plat::IoError::NoBuffers)) {
        fWatcher->Arm(fSocket, CFdWatcher::kWritable);
        return false;
    }
    fSendBuffer = nullptr; // sent, or dropped for good
    return true;
}

bool CUDPPort::ContinueReceive()
{
    if (!fReceiveBuffer)
        return false;
    plat::IoError err;
    plat::Endpoint from;
    const long n = plat::ReceiveDatagram(fSocket, fReceiveBuffer, fCapacity, from, err);
    if (n < 0) {
        // Any failure waits for the next datagram: an error such as a refused earlier send
        // is reported once and must not leave the receive stuck.
        fWatcher->Arm(fSocket, CFdWatcher::kReadable);
        return false;
    }
    fSender = CIPAddress(from.address, from.port);
    fReceived += uint32_t(n);
    fReceiveBuffer = nullptr;
    return true;
}

void CUDPPort::OnReady(void* context, uint32_t kind)
{
    auto* port = static_cast<CUDPPort*>(context);
    bool done = false;
    {
        LAsyncQueueLock lock(*port->fQueue);
        if (!port->IsOpen())
            return;
        done = kind == CFdWatcher::kWritable ? port->ContinueSend() : port->ContinueReceive();
    }
    if (done)
        LMessage::Send(LMessage(kind == CFdWatcher::kWritable ? msgSent : msgRead, port, port->Parent()));
}

void CUDPPort::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (msg.subject == &fReceiveDone && StrEqual(msg.type, LAsyncTimer::msgExpire)) {
        result = LMessage(msgRead, this, Parent());
        return;
    }
    if (msg.subject == &fSendDone && StrEqual(msg.type, LAsyncTimer::msgExpire)) {
        result = LMessage(msgSent, this, Parent());
        return;
    }
    CUDPPortBase::HandleMessage(result, msg);
}
