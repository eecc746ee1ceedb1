#include "foundation/files/CMacAsyncPB.h"
#include "foundation/core/StrEqual.h"
#include "platform/files/FileSpecText.h"

CAsyncPBSignal::CAsyncPBSignal(CMacAsyncPB* owner, LAsyncQueue* queue)
    : LHandler(owner), fSignal(this, queue), fTransfer([this] { fSignal.Post(); })
{
}

void CAsyncPBSignal::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (msg.subject == &fSignal && StrEqual(msg.type, "LAsyncSignal_X")) {
        LMessage::Make(result, "CMacAsyncPB_Done", this, Parent());
        return;
    }
    LHandler::HandleMessage(result, msg);
}

CMacAsyncPB::CMacAsyncPB(LAsyncQueue* queue) : LHandler(nullptr), fSignal(this, queue) {}

CMacAsyncPB::~CMacAsyncPB()
{
    while (fWaiting.PopFront()) {
    }
    fSignal.Transfer().WaitIdle();
    Close();
}

uint32_t CMacAsyncPB::Open(std::string_view fileSpec, uint32_t flags)
{
    if (fOpen)
        return 0;
    const std::string path = plat::PosixPathFromSpec(fileSpec);
    if (path.empty())
        return 1;
    const plat::ForkKind kind = (flags & kResourceFork) ? plat::ForkKind::Resource : plat::ForkKind::Data;
    const plat::ForkAccess access = (flags & kWritePermission) ? plat::ForkAccess::ReadWrite : plat::ForkAccess::Read;
    switch (fFork.Open(path, access, kind)) {
    case plat::FileResult::Ok:
        fOpen = true;
        fOpenFlags = flags;
        return 0;
    case plat::FileResult::NotFound:
    case plat::FileResult::BadPath: return 1;
    default: return 2;
    }
}

void CMacAsyncPB::Close()
{
    if (fOpen) {
        // The worker must be done with the descriptor before it is given back.
        fSignal.Transfer().WaitIdle();
        fFork.Close();
    }
    fOpen = false;
}

bool CMacAsyncPB::ReadAt(uint64_t position, void* buffer, uint32_t* length)
{
    size_t count = *length;
    if (!fOpen || fFork.ReadAt(position, buffer, count) != plat::FileResult::Ok) {
        *length = 0;
        return false;
    }
    *length = uint32_t(count);
    return true;
}

bool CMacAsyncPB::WriteAt(uint64_t position, const void* buffer, uint32_t length)
{
    if (!fOpen || !(fOpenFlags & kWritePermission))
        return false;
    return fFork.WriteAt(position, buffer, length) == plat::FileResult::Ok;
}

uint64_t CMacAsyncPB::GetSize() const
{
    uint64_t size = 0;
    if (!fOpen || fFork.GetSize(size) != plat::FileResult::Ok)
        return 0;
    return size;
}

void CMacAsyncPB::SetSize(uint64_t size)
{
    if (fOpen && (fOpenFlags & kWritePermission))
        (void)fFork.SetSize(size);
}

void CMacAsyncPB::QueueRead(void* buffer, uint64_t position, uint32_t length, void* context, Callback callback,
                            Request* request)
{
    Queue(kRead, buffer, position, length, context, callback, request);
}

void CMacAsyncPB::QueueWrite(const void* buffer, uint64_t position, uint32_t length, void* context,
                             Callback callback, Request* request)
{
    Queue(kWrite, const_cast<void*>(buffer), position, length, context, callback, request);
}

void CMacAsyncPB::Queue(uint32_t kind, void* buffer, uint64_t position, uint32_t length, void* context,
                        Callback callback, Request* request)
{
    if (!request)
        return;
    request->kind = kind;
    request->done = 0;
    request->position = position;
    request->length = length;
    request->transferred = 0;
    request->buffer = static_cast<uint8_t*>(buffer);
    request->context = context;
    request->callback = callback;
    fWaiting.PushBack(request);
    StartNext();
}

void CMacAsyncPB::StartNext()
{
    while (!fBusy) {
        auto* request = static_cast<Request*>(fWaiting.PopFront());
        if (!request)
            return;
        if (fOpen && (request->kind == kRead || request->kind == kWrite)) {
            const auto kind = request->kind == kWrite ? plat::FileTransfer::Kind::Write : plat::FileTransfer::Kind::Read;
            fBusy = true;
            fInFlight = request;
            fSignal.Transfer().Start(fFork.Descriptor(), kind, request->position, request->buffer, request->length);
            return;
        }
        if (request->callback)
            request->callback(request->context, request);
    }
}

void CMacAsyncPB::Complete()
{
    Request* request = fInFlight;
    fInFlight = nullptr;
    if (request) {
        const plat::FileTransfer& transfer = fSignal.Transfer();
        if (transfer.Result() == plat::FileResult::Ok) {
            request->transferred = transfer.Transferred();
            request->buffer += transfer.Transferred();
            request->done = 1;
        }
        if (request->callback)
            request->callback(request->context, request);
    }
    fBusy = false;
    StartNext();
}

void CMacAsyncPB::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (msg.subject == &fSignal && StrEqual(msg.type, "CMacAsyncPB_Done")) {
        // The signal is posted from inside the completion call; wait until the worker has
        // returned from it before the transfer block is used again.
        fSignal.Transfer().WaitIdle();
        Complete();
        LMessage::Clear(result);
        return;
    }
    LHandler::HandleMessage(result, msg);
}
