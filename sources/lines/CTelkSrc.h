#pragma once
#include "sources/lines/CLineSerialSrc.h"

// The serial brainwave analyser: it is sent nothing, listens at 2400 baud, and each byte it
// sends, bit-reversed, is one 8-bit sample. The bytes become protocol lines ("80" CR) before
// parsing, so its recordings play back like any record file.
class CTelkSrc : public CLineSerialSrc {
public:
    CTelkSrc(LHandler* parent, LAsyncQueue* queue);

    int32_t Open(const CSerialPortSpec& fileSpec) override;
    float Baseline() const override { return -1.0f; }
    void SetRate(uint32_t) override {}
    void SetFcRatio(float) override {}
    void SendBaseline() override {}

    // b with its eight bits in reverse order.
    static uint8_t BitReverse(uint8_t b);

protected:
    bool HasInput() override;
    uint8_t TakeInput() override;
    bool ReadsRawInput() const override { return false; }

private:
    char fLine[4] = {};       // the translated line of the current byte
    uint32_t fLineLength = 0;
    uint32_t fLineCursor = 0;
};
