#include "sources/audio/CWavSaverA.h"

#include "foundation/streams/CForkRefStream.h"
#include "sources/audio/CRiffChunk.h"

#include <algorithm>
#include <new>

const char* CWavSaverA::msgReady = "CWavSaverA_Ready";

CWavSaverA::CWavSaverA(LHandler* parent, std::unique_ptr<CMacAsyncPB> file, const CSampleFormat& format)
    : LHandler(parent), fFile(std::move(file))
{
    const uint32_t channels = std::min<uint32_t>(format.channels, 2);
    const uint8_t isSigned = format.bits > 8 ? 1 : 0;
    ConvertPCM(fLeft, 1, isSigned, format.bits, channels, 0);
    ConvertPCM(fRight, 1, isSigned, format.bits, channels, 1);
    fRingData.reset(new (std::nothrow) uint8_t[size_t(1) << kRingLog2]);
    if (!fRingData || !fFile || !fFile->IsOpen() || fLeft.frameBytes == 32 || format.rate == 0)
        return;
    fRing.Init(fRingData.get(), kRingLog2);
    fStream = std::make_unique<CForkRefStream>(fFile.get(), LStream::kReadWrite);
    fStream->SetEOF();   // an older file of that name is replaced
    WriteHeader(format, channels);
    if (fStream->Error()) {
        fDataChunk.reset();
        fFailed = true;
    }
}

void CWavSaverA::WriteHeader(const CSampleFormat& format, uint32_t channels)
{
    fRiff = std::make_unique<CRiffWriter>();
    fRiff->BeginRiff(fStream.get());
    fRiff->WriteFourCC(RiffId("WAVE"));
    CRiffWriter fmt;
    fmt.BeginChunk(fStream.get(), RiffId("fmt "));
    const uint32_t blockAlign = fLeft.frameBytes;
    uint8_t body[18];
    PutLE16(body, 1);
    PutLE16(body + 2, channels);
    PutLE32(body + 4, format.rate);
    PutLE32(body + 8, format.rate * blockAlign);
    PutLE16(body + 12, blockAlign);
    PutLE16(body + 14, format.bits);
    PutLE16(body + 16, 0);
    fmt.Write(body, sizeof body);
    fmt.EndChunk();
    fDataChunk = std::make_unique<CRiffWriter>();
    fDataChunk->BeginChunk(fStream.get(), RiffId("data"));
}

CWavSaverA::~CWavSaverA()
{
    Detach();
    // A write still in flight goes to its own place in the file; the rest follows it.
    if (fClosingChunk) {
        FlushRing();
        fClosingChunk->EndChunk();
        fRiff->EndChunk();
    }
    fStream.reset();
    fFile.reset();   // waits for the write in flight, which reads from the ring
}

void CWavSaverA::Detach()
{
    if (fDataChunk)
        fClosingChunk = std::move(fDataChunk);
}

// Writes the bytes no background write has taken, at the stream's position (already past a
// write in flight).
void CWavSaverA::FlushRing()
{
    fRing.AdvanceRead(fInFlight);
    fInFlight = 0;
    const CRingBuffer::Regions rest = fRing.GetReadRegions(fRing.Fill());
    fStream->Write(rest.first, rest.firstCount);
    fStream->Write(rest.second, rest.secondCount);
    fRing.DropPending();
}

bool CWavSaverA::IsFull() const
{
    return !fDataChunk || fRing.Free() < fLeft.frameBytes;
}

void CWavSaverA::PutFrame(int32_t left, int32_t right)
{
    if (IsFull())
        return;
    uint8_t frame[8] = {};
    fLeft.Put(frame, left);
    fRight.Put(frame, right);
    fRing.Write(frame, fLeft.frameBytes);   // wraps at the ring's end for any frame size
}

void CWavSaverA::Pump()
{
    if (fDataChunk && !fWriting && fRing.Fill() >= kBlockBytes)
        WriteNext();
}

void CWavSaverA::WriteNext()
{
    const CRingBuffer::Regions region = fRing.GetReadRegions(std::min(fRing.Fill(), kBlockBytes));
    if (region.firstCount == 0)
        return;
    const uint64_t at = fStream->position;
    fWriting = true;
    fInFlight = region.firstCount;
    fStream->SetPosition(at + region.firstCount);
    fFile->QueueWrite(region.first, at, region.firstCount, this, Written, &fRequest);
}

void CWavSaverA::Written(void* context, CMacAsyncPB::Request* request)
{
    static_cast<CWavSaverA*>(context)->OnWritten(*request);
}

void CWavSaverA::OnWritten(const CMacAsyncPB::Request& result)
{
    if (!fDataChunk)
        return;
    const uint32_t written = fInFlight;
    fInFlight = 0;
    fWriting = false;
    if (result.done && result.transferred == written) {
        fRing.AdvanceRead(written);
        if (fRing.Fill() >= kBlockBytes)
            WriteNext();
    } else {
        // The block is lost; the file goes on where it was meant to start.
        fFailed = true;
        fStream->SetPosition(fStream->position - written);
        fRing.DropPending();
    }
    LMessage::Send(LMessage(msgReady, this, Parent()));
}
