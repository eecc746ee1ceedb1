#include "sources/CMacAsyncPB.h"

#include "foundation/LAsyncSignal.h"
#include "foundation/StrEqual.h"
#include "platform/files/FileSpecText.h"
#include "platform/files/FileSystem.h"

CMacAsyncPB::CMacAsyncPB(LAsyncQueue* queue)
    : LHandler(nullptr), fSignal(std::make_unique<LAsyncSignal>(this, queue)), fSignalForWorker(fSignal.get()),
      fTransfer(std::make_unique<plat::FileTransfer>([this] {
          if (LAsyncSignal* signal = fSignalForWorker.load())
              signal->Post();
      }))
{
}

CMacAsyncPB::~CMacAsyncPB()
{
    StopCompletions();
    fTransfer.reset();
    Close();
}

void CMacAsyncPB::StopCompletions()
{
    fSignalForWorker.store(nullptr);
    fSignal.reset();   // waits for a delivery in progress
    fCompletionDue = false;
}

int CMacAsyncPB::Open(std::string_view fileSpec, uint32_t flags)
{
    if (fFork.IsOpen())
        return 0;
    const std::string path = plat::PosixPathFromSpec(fileSpec);
    if (path.empty())
        return 1;
    const bool write = flags & 1;
    if (write) {
        // Recordings create their file; an existing one is kept until the writer truncates it.
        const plat::FileResult made = plat::CreateFileExclusive(path);
        if (made != plat::FileResult::Ok && made != plat::FileResult::Exists)
            return made == plat::FileResult::NotFound ? 1 : 2;
    }
    const plat::FileResult r = fFork.Open(path, write ? plat::ForkAccess::ReadWrite : plat::ForkAccess::Read);
    if (r == plat::FileResult::Ok)
        return 0;
    return r == plat::FileResult::NotFound ? 1 : 2;
}

void CMacAsyncPB::Close()
{
    WaitTransferIdle();
    fFork.Close();
}

bool CMacAsyncPB::ReadAt(uint64_t position, void* buffer, size_t& length) const
{
    if (!fFork.IsOpen()) {
        length = 0;
        return false;
    }
    const bool ok = fFork.ReadAt(position, buffer, length) == plat::FileResult::Ok;
    if (!ok)
        length = 0;
    return ok;
}

bool CMacAsyncPB::WriteAt(uint64_t position, const void* data, size_t length) const
{
    return fFork.IsOpen() && fFork.CanWrite() && fFork.WriteAt(position, data, length) == plat::FileResult::Ok;
}

uint64_t CMacAsyncPB::GetSize() const
{
    uint64_t size = 0;
    if (!fFork.IsOpen() || fFork.GetSize(size) != plat::FileResult::Ok)
        return 0;
    return size;
}

void CMacAsyncPB::SetSize(uint64_t size) const
{
    if (fFork.IsOpen() && fFork.CanWrite())
        (void)fFork.SetSize(size);
}

bool CMacAsyncPB::QueueRead(uint64_t position, void* buffer, size_t length, Callback callback, void* context)
{
    return Queue(plat::FileTransfer::Kind::Read, position, buffer, length, callback, context);
}

bool CMacAsyncPB::QueueWrite(uint64_t position, const void* data, size_t length, Callback callback, void* context)
{
    if (!fFork.CanWrite())
        return false;
    return Queue(plat::FileTransfer::Kind::Write, position, const_cast<void*>(data), length, callback, context);
}

bool CMacAsyncPB::Queue(plat::FileTransfer::Kind kind, uint64_t position, void* buffer, size_t length,
    Callback callback, void* context)
{
    if (!fFork.IsOpen() || !fSignal || fCompletionDue || fTransfer->InProgress())
        return false;
    fCallback = callback;
    fContext = context;
    fCompletionDue = true;
    if (!fTransfer->Start(fFork.Descriptor(), kind, position, buffer, length)) {
        fCompletionDue = false;
        return false;
    }
    return true;
}

void CMacAsyncPB::WaitTransferIdle() const
{
    if (fTransfer)
        fTransfer->WaitIdle();
}

void CMacAsyncPB::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (fSignal && msg.subject == fSignal.get() && StrEqual(msg.type, LAsyncSignal::msgX)) {
        LMessage::Clear(result);
        if (!fCompletionDue || fTransfer->InProgress())
            return;
        fCompletionDue = false;
        const Result done{fTransfer->Result() == plat::FileResult::Ok, fTransfer->Transferred()};
        if (fCallback)
            fCallback(fContext, done);
        return;
    }
    LHandler::HandleMessage(result, msg);
}
