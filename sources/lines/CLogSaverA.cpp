#include "sources/lines/CLogSaverA.h"

#include "foundation/async/LAsyncQueue.h"
#include "foundation/core/StrEqual.h"

const char* CLogSaverA::msgReady = "CLogSaverA_Ready";

CLogSaverA::CLogSaverA(LHandler* parent, LAsyncQueue* queue)
    : LHandler(parent), fQueue(queue),
      fTransfer(std::make_unique<plat::FileTransfer>([this] { fWritten.Post(); })), fWritten(this, queue)
{
}

CLogSaverA::~CLogSaverA()
{
    // Under the lock no completion is being delivered meanwhile.
    LAsyncQueueLock lock(*fQueue);
    Flush();
}

void CLogSaverA::SetFile(std::unique_ptr<plat::DataFork> file)
{
    Flush();
    fFile = std::move(file);
    fReadIndex = fWriteIndex = 0;
    fPosition = 0;
    uint64_t size = 0;
    if (fFile && fFile->GetSize(size) == plat::FileResult::Ok)
        fPosition = size;
}

void CLogSaverA::PutByte(uint8_t byte)
{
    if (!fFile)
        return;
    if (IsFull()) {
        fFailed = true; // callers check IsFull first; a byte that finds no room is lost
        return;
    }
    fRing[fWriteIndex % kRingSize] = byte;
    ++fWriteIndex;
    if (!fInFlight && Fill() >= kChunk)
        WriteChunk();
}

// The longest contiguous run of buffered bytes, at most one chunk, written in the background.
void CLogSaverA::WriteChunk()
{
    const uint32_t start = fReadIndex % kRingSize;
    uint32_t length = Fill();
    if (length > kChunk)
        length = kChunk;
    if (length > kRingSize - start)
        length = kRingSize - start;
    if (length == 0 || !fFile)
        return;
    if (!fTransfer->Start(fFile->Descriptor(), plat::FileTransfer::Kind::Write, fPosition, fRing + start, length))
        return;
    fInFlight = true;
    fInFlightLength = length;
    fPosition += length;
}

void CLogSaverA::OnWritten(bool writeNext)
{
    if (!fInFlight)
        return;
    // The completion runs just before the worker lets the transfer go; the next chunk can
    // only start once it has.
    fTransfer->WaitIdle();
    fInFlight = false;
    const uint32_t written = fInFlightLength;
    fInFlightLength = 0;
    if (fTransfer->Result() == plat::FileResult::Ok && fTransfer->Transferred() == written) {
        fReadIndex += written;
        if (writeNext && Fill() >= kChunk)
            WriteChunk();
    } else {
        fFailed = true;
        fReadIndex = fWriteIndex; // everything buffered is dropped; the recording goes on
    }
}

// Waits for the write in flight, then writes what is left synchronously.
void CLogSaverA::Flush()
{
    if (fInFlight)
        OnWritten(false); // waits for it; nothing new starts, the rest is written here
    if (!fFile) {
        fReadIndex = fWriteIndex;
        return;
    }
    while (Fill() > 0) {
        const uint32_t start = fReadIndex % kRingSize;
        uint32_t length = Fill();
        if (length > kRingSize - start)
            length = kRingSize - start;
        if (fFile->WriteAt(fPosition, fRing + start, length) != plat::FileResult::Ok) {
            fFailed = true;
            fReadIndex = fWriteIndex;
            break;
        }
        fPosition += length;
        fReadIndex += length;
    }
}

void CLogSaverA::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (msg.subject == &fWritten && StrEqual(msg.type, LAsyncSignal::msgX)) {
        {
            LAsyncQueueLock lock(*fQueue);
            OnWritten(true);
        }
        result = LMessage(msgReady, this, Parent());
        return;
    }
    LHandler::HandleMessage(result, msg);
}
