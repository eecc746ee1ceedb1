#include "sources/lines/CTelkSrc.h"

#include "foundation/async/LAsyncQueue.h"
#include "sources/ports/CSerialPort.h"

namespace {

struct BitReversalTable {
    uint8_t entry[256];
    BitReversalTable()
    {
        for (uint32_t b = 0; b < 256; ++b) {
            uint8_t r = 0;
            for (uint32_t bit = 0; bit < 8; ++bit)
                if (b & (1u << bit))
                    r |= uint8_t(0x80u >> bit);
            entry[b] = r;
        }
    }
};

const BitReversalTable& Table()
{
    static const BitReversalTable table; // filled once, by the first user
    return table;
}

constexpr char kHexDigits[] = "0123456789abcdef";

} // namespace

CTelkSrc::CTelkSrc(LHandler* parent, LAsyncQueue* queue) : CLineSerialSrc(parent, queue) { Table(); }

uint8_t CTelkSrc::BitReverse(uint8_t b) { return Table().entry[b]; }

int32_t CTelkSrc::Open(const CSerialPortSpec& fileSpec)
{
    CSerialPort* port = Port();
    if (!port)
        return 1;
    const int32_t result = port->Open(fileSpec);
    if (result != 0)
        return result;
    port->SetStopBits(1);
    port->SetFlowControl(0);
    port->SetBaudRate(2400);
    BeginStream();
    AssignType("telk");
    AssignRate(120);
    AssignFcRatio(0.5f);
    fLineLength = fLineCursor = 0;
    StartRead();
    return 0;
}

bool CTelkSrc::HasInput()
{
    if (fLineCursor < fLineLength)
        return true;
    if (!HasReceived())
        return false;
    // The next analyser byte becomes the line of its bit-reversed value.
    const uint8_t value = BitReverse(CLineSerialSrc::TakeInput());
    fLine[0] = kHexDigits[value >> 4];
    fLine[1] = kHexDigits[value & 0xF];
    fLine[2] = '\r';
    fLineLength = 3;
    fLineCursor = 0;
    return true;
}

uint8_t CTelkSrc::TakeInput() { return uint8_t(fLine[fLineCursor++]); }
