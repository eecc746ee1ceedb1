#pragma once
#include "sources/lines/CLineSampleSrc.h"

class CTCPPort;
struct CIPAddress;

// The line protocol over a TCP connection to a device or peer.
class CLineTCPSrc : public CLineSampleSrc {
public:
    CLineTCPSrc(LHandler* parent, LAsyncQueue* queue);
    // Destroys the recorder, then closes and destroys the connection.
    ~CLineTCPSrc() override;

    // 0 when the connection is under way (reading starts once it is made); 2 without a
    // port; otherwise the socket's open result.
    int32_t Connect(const CIPAddress& peer);
    void Close() override;
    void SetRate(uint32_t rate) override { RequestRate(rate); }
    void SetFcRatio(float ratio) override { RequestFcRatio(ratio); }
    void SendBaseline() override { RequestBaseline(); }
    void HandleMessage(LMessage& result, const LMessage& msg) override;

    CTCPPort* Port() const { return fPort; }
    // Whether the connection was ever made (its closing then is the peer's).
    bool WasConnected() const { return fWasConnected; }

protected:
    bool PortCanRead() const override;
    bool PortStartRead(void* buffer, uint32_t length) override;
    bool PortCanWrite() const override;
    bool PortWrite(const void* data, uint32_t length) override;

private:
    CTCPPort* fPort;
    bool fWasConnected = false;
};
