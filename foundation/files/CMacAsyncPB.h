#pragma once
#include "foundation/async/LAsyncSignal.h"
#include "foundation/core/LHandler.h"
#include "foundation/core/LList.h"
#include "platform/files/DataFork.h"
#include "platform/files/FileTransfer.h"

#include <cstdint>
#include <string_view>

class LAsyncQueue;
class CMacAsyncPB;

// The completion side of an asynchronous fork: the transfer block the file worker carries
// out, and the signal its completion posts. On the queue's thread the signal becomes
// "CMacAsyncPB_Done" for the fork object.
class CAsyncPBSignal : public LHandler {
public:
    CAsyncPBSignal(CMacAsyncPB* owner, LAsyncQueue* queue);

    void HandleMessage(LMessage& result, const LMessage& msg) override;

    plat::FileTransfer& Transfer() { return fTransfer; }

private:
    LAsyncSignal fSignal;
    plat::FileTransfer fTransfer;   // last: it is waited for before the signal goes
};

// An open fork of a file with synchronous reads and writes at a position and a queue of
// asynchronous requests carried out one at a time in the background. A request's callback
// runs on the queue's thread, where the next request is then started; requests are queued
// on that same thread. Destroying the object drops the waiting requests without calling
// them, waits for the transfer in flight and only then closes the file, so a late transfer
// never touches a descriptor number that was reused.
class CMacAsyncPB : public LHandler {
public:
    enum : uint32_t {
        kWritePermission = 1,   // open flags
        kResourceFork = 2,
    };
    enum : uint32_t { kRead = 0, kWrite = 1 };   // request kinds

    struct Request;
    using Callback = void (*)(void* context, Request* request);

    // Owned by the caller, who keeps it alive until its callback has run.
    struct Request : SSLink {
        uint32_t kind = kRead;   // any other kind completes at once without a transfer
        uint8_t done = 0;        // 1 when the transfer succeeded
        uint64_t position = 0;
        uint32_t length = 0;
        uint64_t transferred = 0;
        uint8_t* buffer = nullptr;   // advanced by the bytes transferred on success
        void* context = nullptr;
        Callback callback = nullptr;
    };

    // Completions are delivered on the thread of `queue`.
    explicit CMacAsyncPB(LAsyncQueue* queue);
    ~CMacAsyncPB() override;

    // 0 opened (also when already open), 1 the file or its folder or volume is missing,
    // 2 any other failure.
    uint32_t Open(std::string_view fileSpec, uint32_t flags);
    void Close();
    bool IsOpen() const { return fOpen; }

    // Reads at a position; true with a short count at the end of the file.
    bool ReadAt(uint64_t position, void* buffer, uint32_t* length);
    // Writes all bytes at a position; false when closed, read-only or failed.
    bool WriteAt(uint64_t position, const void* buffer, uint32_t length);
    uint64_t GetSize() const;
    void SetSize(uint64_t size);

    void QueueRead(void* buffer, uint64_t position, uint32_t length, void* context, Callback callback,
                   Request* request);
    void QueueWrite(const void* buffer, uint64_t position, uint32_t length, void* context, Callback callback,
                    Request* request);

    void HandleMessage(LMessage& result, const LMessage& msg) override;

    bool Busy() const { return fBusy; }

private:
    void Queue(uint32_t kind, void* buffer, uint64_t position, uint32_t length, void* context, Callback callback,
               Request* request);
    void StartNext();
    void Complete();

    bool fOpen = false;
    uint32_t fOpenFlags = 0;
    plat::DataFork fFork;
    bool fBusy = false;
    Request* fInFlight = nullptr;
    CAsyncPBSignal fSignal;
    LList fWaiting;
};
