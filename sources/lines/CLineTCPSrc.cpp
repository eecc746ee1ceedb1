#include "sources/lines/CLineTCPSrc.h"

#include "foundation/async/LAsyncQueue.h"
#include "foundation/core/StrEqual.h"
#include "sources/ports/CTCPPort.h"

CLineTCPSrc::CLineTCPSrc(LHandler* parent, LAsyncQueue* queue)
    : CLineSampleSrc(parent, queue), fPort(CTCPPort::Create(this, queue))
{
}

CLineTCPSrc::~CLineTCPSrc()
{
    DropRecorder();
    CTCPPort* port = fPort;
    fPort = nullptr;
    delete port;
}

int32_t CLineTCPSrc::Connect(const CIPAddress& peer)
{
    if (!fPort)
        return 2;
    const int32_t result = fPort->Open(0, 0, 0);
    if (result != 0)
        return result;
    fWasConnected = false;
    BeginStream();
    RequestTypeName();
    fPort->Connect(peer);
    // While the connection is being made these stay pending; they go out once it is made.
    SendOpeningRequests();
    return 0;
}

void CLineTCPSrc::Close()
{
    if (fPort)
        fPort->Close();
}

bool CLineTCPSrc::PortCanRead() const { return fPort && fPort->CanReceive(); }
bool CLineTCPSrc::PortStartRead(void* buffer, uint32_t length) { return fPort && fPort->Receive(buffer, length); }
bool CLineTCPSrc::PortCanWrite() const { return fPort && fPort->CanSend(); }
bool CLineTCPSrc::PortWrite(const void* data, uint32_t length) { return fPort && fPort->Send(data, length); }

void CLineTCPSrc::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (fPort && msg.subject == fPort) {
        if (HandleLinkCompletion(result, msg, CTCPPort::msgRead, CTCPPort::msgSent, fPort->ReceivedCount()))
            return;
        if (StrEqual(msg.type, CTCPPort::msgConnected)) {
            fWasConnected = true;
            StartRead();
            LAsyncQueueLock lock(*Queue());
            SendCommands(); // the requests made while connecting
        }
    }
    CLineSampleSrc::HandleMessage(result, msg);
}
