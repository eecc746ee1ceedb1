#pragma once
#include "foundation/core/LHandler.h"
#include "foundation/files/CMacAsyncPB.h"
#include "sources/audio/CPcmConverter.h"
#include "sources/audio/CRiffWriter.h"
#include "sources/audio/CRingBuffer.h"
#include "sources/audio/CSampleFormat.h"

#include <memory>

class CForkRefStream;

// Writes a recording as a WAV file. Frames go into a 256 KiB ring; blocks of 128 KiB go to
// the file in the background so that the caller never waits for the disk. Until the saver is
// destroyed both size fields of the file hold FF FF FF FF; destruction writes what is left and
// patches them. The file holds at most two channels, as WAV wants them (8-bit unsigned, wider
// samples signed, little-endian), with the format's rate and sample width.
class CWavSaverA : public LHandler {
public:
    static const char* msgReady;   // "CWavSaverA_Ready": a background write finished
    static constexpr uint32_t kRingLog2 = 18;
    static constexpr uint32_t kBlockBytes = 0x20000;
    static constexpr uint32_t kHeaderBytes = 46;

    // Takes the open file (null: nothing is written) and truncates it.
    CWavSaverA(LHandler* parent, std::unique_ptr<CMacAsyncPB> file, const CSampleFormat& format);
    ~CWavSaverA() override;

    // Stops taking background-write completions; called under the queue lock before the saver
    // is destroyed elsewhere, so that no completion runs into the teardown.
    void Detach();
    // Whether the file was set up and takes data.
    bool IsWriting() const { return fDataChunk != nullptr; }
    // No room for one more frame.
    bool IsFull() const;
    // Puts one frame of two 16-bit values (the right one is dropped in a mono file).
    void PutFrame(int32_t left, int32_t right);
    // Starts a background write when a block is pending and none is in flight.
    void Pump();
    uint32_t FrameBytes() const { return fLeft.frameBytes; }
    uint32_t Pending() const { return fRing.Fill(); }
    // Whether a write of the file failed; the frames of that write are lost.
    bool HasFailed() const { return fFailed; }

private:
    static void Written(void* context, CMacAsyncPB::Request* request);
    void OnWritten(const CMacAsyncPB::Request& request);
    void WriteNext();
    void WriteHeader(const CSampleFormat& format, uint32_t channels);
    void FlushRing();

    std::unique_ptr<CMacAsyncPB> fFile;
    std::unique_ptr<CForkRefStream> fStream;
    std::unique_ptr<CRiffWriter> fRiff;
    std::unique_ptr<CRiffWriter> fDataChunk;
    std::unique_ptr<CRiffWriter> fClosingChunk;   // the data chunk once detached
    CMacAsyncPB::Request fRequest;
    CPcmConverter fLeft;
    CPcmConverter fRight;
    std::unique_ptr<uint8_t[]> fRingData;
    CRingBuffer fRing;
    uint32_t fInFlight = 0;   // bytes of the write in flight
    bool fWriting = false;
    bool fFailed = false;
};
