#pragma once
#include "foundation/core/LList.h"

#include <cstdint>
#include <vector>

class CTCPPort;

// The bytes of lines waiting for one client: filled, then handed to the port whole.
class CDataBuffer : public SSLink {
public:
    CDataBuffer() { fBytes.reserve(256); }
    void Append(const char* text, size_t length) { fBytes.insert(fBytes.end(), text, text + length); }
    void Clear() { fBytes.clear(); }
    uint32_t Size() const { return uint32_t(fBytes.size()); }
    const uint8_t* Data() const { return fBytes.data(); }

private:
    std::vector<uint8_t> fBytes;
};

// One connected client of the data server: its connection and two buffers that take turns,
// one being sent while the other fills. Lines that find no room are counted and reported to
// the client by the next "ov" line.
class CDataClient : public SSLink {
public:
    // Takes the connection; two buffers start on the free list; every announcement is due.
    explicit CDataClient(CTCPPort* connection);
    // Destroys the connection first (it may be sending a buffer), then the buffers.
    ~CDataClient() override;
    CDataClient(const CDataClient&) = delete;
    CDataClient& operator=(const CDataClient&) = delete;

    CTCPPort* Connection() const { return fConnection; }
    // The buffer new lines go to, taking a free one when none fills; null when none is free.
    CDataBuffer* FillingBuffer();
    // Makes the filling buffer the sending one and sends it when nothing is being sent.
    void SendFilled();
    // The send of the sending buffer completed: the buffer is free again and the filling one
    // goes out.
    void OnSent();

    uint32_t lostLines = 0;
    bool dnPending = true;
    bool srPending = true;
    bool frPending = true;

private:
    CTCPPort* fConnection;
    LList fFree;
    CDataBuffer* fSending = nullptr;
    CDataBuffer* fFilling = nullptr;
};
