#include "sources/server/CDataServer.h"

#include "foundation/async/LAsyncQueue.h"
#include "foundation/text/NumberFormat.h"
#include "foundation/core/StrEqual.h"
#include "sources/CSourceType.h"
#include "sources/ports/CTCPPort.h"
#include "sources/server/CDataClient.h"

#include <cmath>
#include <cstring>

namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

// full scale × x truncated to an integer; values outside any sane range (and NaN) count as 0
// so that a bad value gives a wrong digit, never undefined behaviour.
int64_t ScaledRaw(uint32_t fullScale, float x)
{
    const double k = double(fullScale) * double(x);
    if (!std::isfinite(k) || k >= 9.2e18 || k <= -9.2e18)
        return 0;
    return int64_t(k);
}

void AppendKeyLine(CDataBuffer& buffer, const char* key, const LStringRef& value)
{
    buffer.Append(key, std::strlen(key));
    buffer.Append(value.Text(), value.Length());
    buffer.Append("\r", 1);
}

} // namespace

CDataServer::CDataServer(LHandler* parent, LAsyncQueue* queue)
    : LHandler(parent), fQueue(queue), fListener(CTCPPort::Create(this, queue))
{
}

CDataServer::~CDataServer()
{
    Stop();
    delete fListener;
}

bool CDataServer::Start(uint32_t port)
{
    if (fListener->IsOpen())
        return true;
    return fListener->Open(port, 1, 0) == 0;
}

void CDataServer::Stop()
{
    fListener->Close();
    for (;;) {
        CDataClient* client;
        {
            LAsyncQueueLock lock(*fQueue);
            client = static_cast<CDataClient*>(fClients.PopFront());
        }
        if (!client)
            break;
        delete client;
    }
}

bool CDataServer::IsListening() const { return fListener->IsOpen(); }
uint32_t CDataServer::LocalPort() const { return fListener->LocalPort(); }

uint32_t CDataServer::ClientCount() const
{
    LAsyncQueueLock lock(*fQueue);
    return fClients.Count();
}

void CDataServer::SetPendingOnAll(bool CDataClient::*flag)
{
    for (SSLink* node : fClients)
        static_cast<CDataClient*>(node)->*flag = true;
}

void CDataServer::SetFormat(const char* typeName)
{
    const char* name = typeName ? typeName : "";
    if (fType && fTypeName == name)
        return;
    if (!fType && !*name)
        return; // no format until a source names its type
    LAsyncQueueLock lock(*fQueue);
    fTypeName = LStringRef(name);
    fType = FindSourceType(name);
    const uint32_t bits = fType->bits > 31 ? 31 : fType->bits;
    fFullScale = 1u << bits;
    fDigits = (bits + 3) >> 2;
    SetPendingOnAll(&CDataClient::dnPending);
}

void CDataServer::SetRate(uint32_t rate)
{
    if (rate == fRate)
        return;
    LAsyncQueueLock lock(*fQueue);
    fRate = rate;
    SetPendingOnAll(&CDataClient::srPending);
}

void CDataServer::SetFcRatio(float ratio)
{
    if (ratio == fFcRatio)
        return;
    LAsyncQueueLock lock(*fQueue);
    fFcRatio = ratio;
    SetPendingOnAll(&CDataClient::frPending);
}

void CDataServer::AddOverflow(uint32_t n)
{
    LAsyncQueueLock lock(*fQueue);
    for (SSLink* node : fClients) {
        auto* client = static_cast<CDataClient*>(node);
        client->lostLines = n > UINT32_MAX - client->lostLines ? UINT32_MAX : client->lostLines + n;
    }
}

void CDataServer::FormatLine(uint32_t n, const float values[])
{
    fLine.clear();
    const uint32_t count = n < 4 ? n : 4;
    for (uint32_t i = 0; i < count; ++i) {
        if (i > 0)
            fLine += '\t';
        if (fDigits == 0)
            continue;
        const CSourceChanInfo& chan = fType->chan[i];
        const float x = values[i] / chan.faderSpan + chan.faderOffset;
        const uint64_t k = uint64_t(ScaledRaw(fFullScale, x));
        for (uint32_t d = fDigits; d-- > 0;)
            fLine += kHexDigits[(k >> (4 * d)) & 0xF];
    }
    fLine += '\r';
}

void CDataServer::BroadcastSample(uint32_t n, const float values[])
{
    if (!fType || !values)
        return;
    FormatLine(n, values);
    LStringRef rateText;
    LStringRef ratioText;
    for (SSLink* node : fClients) {
        auto* client = static_cast<CDataClient*>(node);
        if (client->srPending && rateText.IsEmpty())
            rateText = ULongToString(fRate);
        if (client->frPending && ratioText.IsEmpty())
            ratioText = DoubleToStringTrim(4, fFcRatio);
        QueueLine(*client, rateText, ratioText);
    }
}

void CDataServer::QueueLine(CDataClient& client, const LStringRef& rateText, const LStringRef& ratioText)
{
    CDataBuffer* buffer = client.FillingBuffer();
    if (!buffer || buffer->Size() >= kBufferLimit) {
        if (client.lostLines < UINT32_MAX)
            ++client.lostLines;
        return;
    }
    if (client.dnPending)
        AppendKeyLine(*buffer, "dn ", fTypeName);
    if (client.srPending)
        AppendKeyLine(*buffer, "sr ", rateText);
    if (client.frPending)
        AppendKeyLine(*buffer, "fr ", ratioText);
    client.dnPending = client.srPending = client.frPending = false;
    if (client.lostLines != 0) {
        AppendKeyLine(*buffer, "ov ", ULongToString(client.lostLines));
        client.lostLines = 0;
    }
    buffer->Append(fLine.data(), fLine.size());
}

void CDataServer::Flush()
{
    for (SSLink* node : fClients)
        static_cast<CDataClient*>(node)->SendFilled();
}

CDataClient* CDataServer::FindClient(const LHandler* connection) const
{
    for (SSLink* node : fClients) {
        auto* client = static_cast<CDataClient*>(node);
        if (client->Connection() == connection)
            return client;
    }
    return nullptr;
}

void CDataServer::AcceptClient()
{
    CTCPPortBase* connection = nullptr;
    if (fListener->Accept(this, &connection, kClientReceiveBuffer) != 0 || !connection)
        return;
    auto* client = new CDataClient(static_cast<CTCPPort*>(connection));
    LAsyncQueueLock lock(*fQueue);
    fClients.PushBack(client);
}

void CDataServer::RemoveClient(CDataClient* client)
{
    {
        LAsyncQueueLock lock(*fQueue);
        fClients.Remove(client);
    }
    delete client;
}

void CDataServer::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (msg.subject == fListener && StrEqual(msg.type, CTCPPort::msgRequest)) {
        AcceptClient();
        LMessage::Clear(result);
        return;
    }
    CDataClient* client = msg.subject && msg.subject != fListener ? FindClient(msg.subject) : nullptr;
    if (!client) {
        LHandler::HandleMessage(result, msg);
        return;
    }
    if (StrEqual(msg.type, CTCPPort::msgSent)) {
        client->OnSent();
    } else if (StrEqual(msg.type, CTCPPort::msgRead) || StrEqual(msg.type, CTCPPort::msgConnected)) {
        LAsyncQueueLock lock(*fQueue);
        client->Connection()->Receive(fScratch, sizeof fScratch);
    } else if (StrEqual(msg.type, CTCPPort::msgClose)) {
        RemoveClient(client);
    } else {
        LHandler::HandleMessage(result, msg);
        return;
    }
    LMessage::Clear(result);
}
