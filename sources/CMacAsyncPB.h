#pragma once
#include "foundation/LHandler.h"
#include "platform/files/DataFork.h"
#include "platform/files/FileTransfer.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

class LAsyncQueue;
class LAsyncSignal;

// NOTE: the least of the asynchronous fork object that the WAV writer and reader need
// (synchronous transfers at a position, one background transfer at a time whose completion
// runs on the queue's thread), until the file layer's own one lands.
class CMacAsyncPB : public LHandler {
public:
    // What a finished background transfer reports.
    struct Result {
        bool ok = false;
        uint64_t transferred = 0;
    };
    using Callback = void (*)(void* context, const Result& result);

    explicit CMacAsyncPB(LAsyncQueue* queue);
    // Closes the file once the transfer in flight is over.
    ~CMacAsyncPB() override;

    // flags bit 0: with write permission (the file is made when missing). 0 opened, 1 missing,
    // 2 any other failure.
    [[nodiscard]] int Open(std::string_view fileSpec, uint32_t flags);
    void Close();
    bool IsOpen() const { return fFork.IsOpen(); }
    bool CanWrite() const { return fFork.CanWrite(); }

    // End of file is a short read, not a failure.
    [[nodiscard]] bool ReadAt(uint64_t position, void* buffer, size_t& length) const;
    [[nodiscard]] bool WriteAt(uint64_t position, const void* data, size_t length) const;
    uint64_t GetSize() const;
    void SetSize(uint64_t size) const;

    // Starts a background transfer; false (nothing started) when the file is closed or a
    // transfer is in flight. The callback runs on the queue's thread.
    [[nodiscard]] bool QueueRead(uint64_t position, void* buffer, size_t length, Callback callback, void* context);
    [[nodiscard]] bool QueueWrite(uint64_t position, const void* data, size_t length, Callback callback,
        void* context);
    // The worker's own flag: true until the transfer is over, whether or not its completion
    // has reached the queue's thread yet.
    bool TransferInProgress() const { return fTransfer && fTransfer->InProgress(); }
    void WaitTransferIdle() const;
    // No completion is delivered once this returns (one being delivered is waited for); a
    // transfer may still be in flight.
    void StopCompletions();

    void HandleMessage(LMessage& result, const LMessage& msg) override;

private:
    bool Queue(plat::FileTransfer::Kind kind, uint64_t position, void* buffer, size_t length, Callback callback,
        void* context);

    plat::DataFork fFork;
    std::unique_ptr<LAsyncSignal> fSignal;
    std::atomic<LAsyncSignal*> fSignalForWorker;
    std::unique_ptr<plat::FileTransfer> fTransfer;   // destroyed first: it waits for the worker
    Callback fCallback = nullptr;
    void* fContext = nullptr;
    bool fCompletionDue = false;
};
