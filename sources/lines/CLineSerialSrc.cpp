#include "sources/lines/CLineSerialSrc.h"

#include "foundation/async/LAsyncQueue.h"
#include "foundation/core/StrEqual.h"
#include "sources/ports/CSerialPort.h"

CLineSerialSrc::CLineSerialSrc(LHandler* parent, LAsyncQueue* queue)
    : CLineSampleSrc(parent, queue), fPort(MakeSerialPort(this, queue))
{
}

CLineSerialSrc::~CLineSerialSrc()
{
    DropRecorder();
    CSerialPort* port = fPort;
    fPort = nullptr;
    if (port)
        port->Close();
    delete port;
}

int32_t CLineSerialSrc::Open(const CSerialPortSpec& fileSpec)
{
    if (!fPort)
        return 1;
    const int32_t result = fPort->Open(fileSpec);
    if (result != 0)
        return result;
    BeginStream();
    RequestTypeName();
    SendOpeningRequests();
    StartRead();
    return 0;
}

void CLineSerialSrc::Close()
{
    if (fPort)
        fPort->Close();
}

bool CLineSerialSrc::PortCanRead() const { return fPort && fPort->CanRead(); }
bool CLineSerialSrc::PortStartRead(void* buffer, uint32_t length) { return fPort && fPort->Read(buffer, length); }
bool CLineSerialSrc::PortCanWrite() const { return fPort && fPort->CanWrite(); }
bool CLineSerialSrc::PortWrite(const void* data, uint32_t length) { return fPort && fPort->Write(data, length); }

void CLineSerialSrc::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (fPort && msg.subject == fPort &&
        HandleLinkCompletion(result, msg, CSerialPort::msgRead, CSerialPort::msgSent, fPort->BytesRead()))
        return;
    CLineSampleSrc::HandleMessage(result, msg);
}
