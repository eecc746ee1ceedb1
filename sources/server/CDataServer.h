#pragma once
#include "foundation/core/LHandler.h"
#include "foundation/core/LList.h"
#include "foundation/core/LStringRef.h"

#include <cstdint>
#include <string>

class CDataClient;
class CTCPPort;
class LAsyncQueue;
struct CSourceType;

// Serves a document's live samples to any number of TCP clients in the text line protocol:
// one line per frame of up to four fixed-width hexadecimal values, preceded by "dn", "sr",
// "fr" and "ov" lines when the stream's type, rate or Fc ratio changed or lines were lost.
class CDataServer : public LHandler {
public:
    static constexpr uint32_t kDefaultPort = 51000;
    // A client queues at most this much beyond the buffer in flight.
    static constexpr uint32_t kBufferLimit = 32768;
    static constexpr uint32_t kClientReceiveBuffer = 36864;

    CDataServer(LHandler* parent, LAsyncQueue* queue);
    ~CDataServer() override;

    // Listens on the port; true when listening (also when it already was).
    bool Start(uint32_t port);
    // Stops listening and drops every client.
    void Stop();
    bool IsListening() const;
    uint32_t LocalPort() const;
    uint32_t ClientCount() const;

    // The stream's type, rate and Fc ratio; a change is announced to every client.
    void SetFormat(const char* typeName);
    void SetRate(uint32_t rate);
    void SetFcRatio(float ratio);
    // Samples the source lost: every client hears of them with its next line.
    void AddOverflow(uint32_t n);
    // Queues the line of one frame for every client.
    void BroadcastSample(uint32_t n, const float values[]);
    // Sends what the clients have queued.
    void Flush();

    bool HasFormat() const { return fType != nullptr; }
    void HandleMessage(LMessage& result, const LMessage& msg) override;

private:
    CDataClient* FindClient(const LHandler* connection) const;
    void FormatLine(uint32_t n, const float values[]);
    void QueueLine(CDataClient& client, const LStringRef& rateText, const LStringRef& ratioText);
    void AcceptClient();
    void RemoveClient(CDataClient* client);
    void SetPendingOnAll(bool CDataClient::*flag);

    LAsyncQueue* fQueue;
    CTCPPort* fListener;
    LList fClients;
    LStringRef fTypeName;
    const CSourceType* fType = nullptr;
    uint32_t fFullScale = 0;
    uint32_t fRate = 0;
    float fFcRatio = 1.0f / 3.0f;
    uint32_t fDigits = 0;
    std::string fLine;      // the line of the current frame, shared by all clients
    uint8_t fScratch[64];   // whatever clients send lands here and is dropped
};
