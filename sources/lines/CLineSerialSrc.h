#pragma once
#include "sources/lines/CLineSampleSrc.h"

class CSerialPort;
struct CSerialPortSpec;

// The line protocol over a serial port.
class CLineSerialSrc : public CLineSampleSrc {
public:
    CLineSerialSrc(LHandler* parent, LAsyncQueue* queue);
    // Destroys the recorder, then closes and destroys the port.
    ~CLineSerialSrc() override;

    // 0 open and reading; 1 without a port; otherwise the port's open result.
    virtual int32_t Open(const CSerialPortSpec& fileSpec);
    void Close() override;
    void SetRate(uint32_t rate) override { RequestRate(rate); }
    void SetFcRatio(float ratio) override { RequestFcRatio(ratio); }
    void SendBaseline() override { RequestBaseline(); }
    void HandleMessage(LMessage& result, const LMessage& msg) override;

    CSerialPort* Port() const { return fPort; }

protected:
    bool PortCanRead() const override;
    bool PortStartRead(void* buffer, uint32_t length) override;
    bool PortCanWrite() const override;
    bool PortWrite(const void* data, uint32_t length) override;

private:
    CSerialPort* fPort;
};
