#include "sources/server/CDataClient.h"

#include "sources/ports/CTCPPort.h"

CDataClient::CDataClient(CTCPPort* connection) : fConnection(connection)
{
    fFree.PushBack(new CDataBuffer);
    fFree.PushBack(new CDataBuffer);
}

CDataClient::~CDataClient()
{
    delete fConnection;
    delete fSending;
    delete fFilling;
    fFree.DeleteAll();
}

CDataBuffer* CDataClient::FillingBuffer()
{
    if (!fFilling)
        fFilling = static_cast<CDataBuffer*>(fFree.PopFront());
    return fFilling;
}

void CDataClient::SendFilled()
{
    if (fSending || !fFilling || fFilling->Size() == 0)
        return;
    fSending = fFilling;
    fFilling = nullptr;
    if (!fConnection->Send(fSending->Data(), fSending->Size())) {
        // The connection cannot send (it is closing): the lines are dropped with it.
        fSending->Clear();
        fFree.PushBack(fSending);
        fSending = nullptr;
    }
}

void CDataClient::OnSent()
{
    if (fSending) {
        fSending->Clear();
        fFree.PushBack(fSending);
        fSending = nullptr;
    }
    SendFilled();
}
