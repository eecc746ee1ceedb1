#include "outputs/COscUdpLink.h"

#include "sources/ports/CIPAddress.h"
#include "sources/ports/CUDPPort.h"

COscUdpLink::COscUdpLink(LHandler* parent, LAsyncQueue* queue) : fPort(CUDPPort::Create(parent, queue))
{
    (void)fPort->Open(0, 0, 0); // a closed port answers CanSend with false
}

COscUdpLink::~COscUdpLink()
{
    fPort->Close();
}

bool COscUdpLink::IsOpen() const
{
    return fPort->IsOpen();
}

bool COscUdpLink::CanSend() const
{
    return fPort->CanSend();
}

bool COscUdpLink::SendTo(uint16_t port, const void* data, uint32_t length)
{
    if (port == 0 || !fPort->CanSend())
        return false;
    return fPort->SendTo(CIPAddress(kLoopback, port), data, length);
}

uint32_t COscUdpLink::LocalPort() const
{
    return fPort->LocalPort();
}
