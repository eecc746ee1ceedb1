#include "sources/ports/CFdWatcher.h"

#include "foundation/async/LAsyncQueue.h"
#include "foundation/core/StrEqual.h"
#include "platform/io/FdIo.h"

#include <iterator>

struct CFdWatcher::Entry : SSLink {
    int fd = -1;
    CFdCallback callback;
    uint32_t kind = kReadable;
    uint32_t generation = 0;
};

namespace {

// What the set reports for a descriptor: its number and the registration it belongs to.
uint64_t KeyOf(int fd, uint32_t generation) { return (uint64_t{generation} << 32) | uint32_t(fd); }
// The wake pipe's key: no registration has generation 0.
constexpr uint64_t kPipeKey = 0;

plat::Mutex gWatcherMutex;
CFdWatcher* gWatcher = nullptr;
uint32_t gUseCount = 0;

} // namespace

CFdWatcher* CFdWatcher::Acquire(LAsyncQueue* queue)
{
    plat::ScopedLock lock(gWatcherMutex);
    if (!gWatcher)
        gWatcher = new CFdWatcher(queue);
    ++gUseCount;
    return gWatcher;
}

void CFdWatcher::Release()
{
    CFdWatcher* doomed = nullptr;
    {
        plat::ScopedLock lock(gWatcherMutex);
        if (gUseCount == 0 || --gUseCount > 0)
            return;
        doomed = gWatcher;
        gWatcher = nullptr;
    }
    // The queue lock keeps a delivery of the watcher's signal from running meanwhile.
    LAsyncQueue* queue = doomed->Queue();
    LAsyncQueueLock lock(*queue);
    delete doomed;
}

CFdWatcher::CFdWatcher(LAsyncQueue* queue) : fSignal(this, queue)
{
    if (!fSet.IsValid())
        return;
    const bool queueWaits = queue->WatchReadable(fSet.Descriptor(), &fSignal);
    fQueueWaits.store(queueWaits, std::memory_order_release);
    // Otherwise a thread waits, at the highest round-robin priority (the default one when refused).
    if (!queueWaits && fPipe.IsValid() && fSet.WatchAlways(fPipe.ReadEnd(), plat::kFdReadable, kPipeKey))
        (void)fThread.Start(this, ThreadEntry, LThread::kHighest);
}

CFdWatcher::~CFdWatcher()
{
    if (QueueWaits())
        Queue()->UnwatchReadable(fSet.Descriptor());
    {
        plat::ScopedLock lock(fMutex);
        fStop = true;
        fPipe.Wake();
    }
    fThread.Join();
    plat::ScopedLock lock(fMutex);
    fIdle.DeleteAll();
    fArmed.DeleteAll();
    fReady.DeleteAll();
}

void CFdWatcher::Register(int fd, const CFdCallback& callback)
{
    if (fd < 0)
        return;
    plat::SetNonBlocking(fd);
    plat::ScopedLock lock(fMutex);
    fSet.Forget(fd);
    RemoveAllEntries(fd);
    ++fGeneration;
    for (uint32_t kind : {kReadable, kWritable}) {
        auto* entry = new Entry;
        entry->fd = fd;
        entry->callback = callback;
        entry->kind = kind;
        entry->generation = fGeneration;
        fIdle.PushBack(entry);
    }
}

void CFdWatcher::Unregister(int fd)
{
    if (fd < 0)
        return;
    plat::ClearStatusFlags(fd);
    plat::ScopedLock lock(fMutex);
    // Out of the set before it is closed, so the number is never waited on for another file.
    fSet.Forget(fd);
    RemoveAllEntries(fd);
}

void CFdWatcher::Arm(int fd, uint32_t kind)
{
    bool readyNow = false;
    {
        plat::ScopedLock lock(fMutex);
        Entry* entry = FindEntry(fIdle, fd, kind);
        if (!entry)
            return;
        fIdle.Remove(entry);
        fArmed.PushBack(entry);
        // A descriptor that cannot be waited on is reported ready: the callback's own call
        // then tells what it is.
        if (!WatchArmed(fd, entry->generation)) {
            MoveArmedToReady(fd);
            readyNow = true;
        }
    }
    if (readyNow)
        fSignal.Post();
}

bool CFdWatcher::WatchArmed(int fd, uint32_t generation)
{
    unsigned want = 0;
    if (FindEntry(fArmed, fd, kReadable))
        want |= plat::kFdReadable;
    if (FindEntry(fArmed, fd, kWritable))
        want |= plat::kFdWritable;
    return want == 0 || fSet.Watch(fd, want, KeyOf(fd, generation));
}

void CFdWatcher::MoveArmedToReady(int fd)
{
    for (uint32_t kind : {kReadable, kWritable}) {
        if (Entry* entry = FindEntry(fArmed, fd, kind)) {
            fArmed.Remove(entry);
            fReady.PushBack(entry);
        }
    }
}

CFdWatcher::Entry* CFdWatcher::FindEntry(const LList& list, int fd, uint32_t kind)
{
    for (SSLink* node : list) {
        auto* entry = static_cast<Entry*>(node);
        if (entry->fd == fd && entry->kind == kind)
            return entry;
    }
    return nullptr;
}

uint32_t CFdWatcher::GenerationOf(int fd) const
{
    for (const LList* list : {&fIdle, &fArmed, &fReady})
        for (SSLink* node : *list)
            if (static_cast<const Entry*>(node)->fd == fd)
                return static_cast<const Entry*>(node)->generation;
    return 0;
}

void CFdWatcher::RemoveAllEntries(int fd)
{
    for (LList* list : {&fIdle, &fArmed, &fReady}) {
        for (uint32_t kind : {kReadable, kWritable}) {
            if (Entry* entry = FindEntry(*list, fd, kind)) {
                list->Remove(entry);
                delete entry;
            }
        }
    }
}

void CFdWatcher::ThreadEntry(void* self) { static_cast<CFdWatcher*>(self)->ThreadMain(); }

void CFdWatcher::ThreadMain()
{
    for (;;) {
        {
            plat::ScopedLock lock(fMutex);
            if (fStop)
                return;
        }
        if (Collect(-1))
            fSignal.Post();
    }
}

bool CFdWatcher::Collect(int timeoutMs)
{
    plat::FdPollSet::Ready ready[32];
    const int n = fSet.Wait(ready, std::size(ready), timeoutMs);
    if (n <= 0)
        return false;
    bool moved = false;
    plat::ScopedLock lock(fMutex);
    for (int i = 0; i < n; ++i) {
        if (ready[i].key == kPipeKey) {
            fPipe.Drain();
            continue;
        }
        const int fd = int(uint32_t(ready[i].key));
        const auto generation = uint32_t(ready[i].key >> 32);
        if (GenerationOf(fd) != generation)
            continue; // unregistered meanwhile, or the number belongs to a new registration
        for (uint32_t kind : {kReadable, kWritable}) {
            Entry* entry = FindEntry(fArmed, fd, kind);
            if (!entry)
                continue;
            const unsigned wanted = kind == kReadable ? plat::kFdReadable : plat::kFdWritable;
            // An error or hang-up wakes both kinds: the callback's own call reports it, and
            // the descriptor leaves the set instead of waking it in a loop.
            if (ready[i].got & (wanted | plat::kFdError | plat::kFdHangup)) {
                fArmed.Remove(entry);
                fReady.PushBack(entry);
                moved = true;
            }
        }
        // A report rests the descriptor: a kind still armed is asked for again.
        if (!WatchArmed(fd, generation)) {
            MoveArmedToReady(fd);
            moved = true;
        }
    }
    return moved;
}

void CFdWatcher::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (msg.subject == &fSignal && StrEqual(msg.type, LAsyncSignal::msgX)) {
        if (QueueWaits())
            (void)Collect(0); // the queue's wait saw the set ready
        Dispatch();
        LMessage::Clear(result);
        return;
    }
    LHandler::HandleMessage(result, msg);
}

void CFdWatcher::Dispatch()
{
    for (;;) {
        CFdCallback callback;
        uint32_t kind = kReadable;
        {
            // Copied under the mutex: the entry may be unregistered once the mutex is free.
            plat::ScopedLock lock(fMutex);
            auto* entry = static_cast<Entry*>(fReady.PopFront());
            if (!entry)
                return;
            fIdle.PushBack(entry);
            callback = entry->callback;
            kind = entry->kind;
        }
        if (callback.function)
            callback.function(callback.context, kind);
    }
}
