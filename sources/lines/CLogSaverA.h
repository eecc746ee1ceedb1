#pragma once
#include "foundation/async/LAsyncSignal.h"
#include "foundation/core/LHandler.h"
#include "platform/files/DataFork.h"
#include "platform/files/FileTransfer.h"

#include <cstdint>
#include <memory>

class LAsyncQueue;

// The buffered writer of a raw-stream recording: bytes go into a ring of 8192 bytes and
// leave in background writes of up to 4096 bytes, one at a time; completions arrive on the
// queue's thread and are announced to the parent as "CLogSaverA_Ready". A failed write drops
// what is buffered, and the failure stays known (a full disk is reported, not ignored).
class CLogSaverA : public LHandler {
public:
    static const char* msgReady;
    static constexpr uint32_t kRingSize = 8192;
    static constexpr uint32_t kChunk = 4096;

    CLogSaverA(LHandler* parent, LAsyncQueue* queue);
    // Waits for the write in flight, writes what is still buffered and closes the file.
    ~CLogSaverA() override;

    // Takes the file: the previous one is flushed and closed; writing goes on at the end of
    // the new one.
    void SetFile(std::unique_ptr<plat::DataFork> file);
    // Buffers one byte (nothing without a file); a full ring drops it and counts a failure.
    void PutByte(uint8_t byte);
    bool IsFull() const { return Fill() >= kRingSize; }
    uint32_t Fill() const { return fWriteIndex - fReadIndex; }
    // Whether any write of this recording failed.
    bool HasFailed() const { return fFailed; }
    uint64_t Position() const { return fPosition; }

    void HandleMessage(LMessage& result, const LMessage& msg) override;

private:
    void WriteChunk();
    void OnWritten(bool writeNext);
    void Flush();

    LAsyncQueue* fQueue;
    std::unique_ptr<plat::DataFork> fFile;
    // NOTE: background writes go through the platform's file worker directly; the
    // completion comes back to the queue's thread through fWritten.
    std::unique_ptr<plat::FileTransfer> fTransfer;
    uint64_t fPosition = 0;
    bool fInFlight = false;
    uint32_t fInFlightLength = 0;
    bool fFailed = false;
    // The ring: free-running indexes, the fill is their difference.
    uint8_t fRing[kRingSize];
    uint32_t fReadIndex = 0;
    uint32_t fWriteIndex = 0;
    // Last, so that it goes first: no completion is delivered once destruction began.
    LAsyncSignal fWritten;
};
