#include "sources/ports/CFdWatcher.h"

#include "foundation/async/LAsyncQueue.h"
#include "foundation/core/StrEqual.h"
#include "platform/io/FdIo.h"
#include "platform/io/FdPoll.h"

#include <unordered_map>
#include <vector>

struct CFdWatcher::Entry : SSLink {
    int fd = -1;
    CFdCallback callback;
    uint32_t kind = kReadable;
};

namespace {

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
    // The highest round-robin priority; the thread runs at the default one when refused.
    if (fPipe.IsValid())
        (void)fThread.Start(this, ThreadEntry, LThread::kHighest);
}

CFdWatcher::~CFdWatcher()
{
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
    RemoveAllEntries(fd);
    for (uint32_t kind : {kReadable, kWritable}) {
        auto* entry = new Entry;
        entry->fd = fd;
        entry->callback = callback;
        entry->kind = kind;
        fIdle.PushBack(entry);
    }
}

void CFdWatcher::Unregister(int fd)
{
    if (fd < 0)
        return;
    plat::ClearStatusFlags(fd);
    plat::ScopedLock lock(fMutex);
    RemoveAllEntries(fd);
    fPipe.Wake(); // the wait thread must stop polling the descriptor before it is closed
}

void CFdWatcher::Arm(int fd, uint32_t kind)
{
    plat::ScopedLock lock(fMutex);
    Entry* entry = FindEntry(fIdle, fd, kind);
    if (!entry)
        return;
    fIdle.Remove(entry);
    fArmed.PushBack(entry);
    fPipe.Wake();
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
        WaitOnce();
    }
}

// One wait: poll the armed descriptors and the pipe, then move what became ready.
void CFdWatcher::WaitOnce()
{
    std::vector<plat::PollItem> items;
    std::unordered_map<int, size_t> slot;
    {
        plat::ScopedLock lock(fMutex);
        fPipe.Drain();
        // A stop asked between the loop's check and this drain had its wake-up drained with
        // it: look again under the same lock, or the wait below would never end.
        if (fStop)
            return;
        items.push_back({fPipe.ReadEnd(), plat::kFdReadable, 0});
        for (SSLink* node : fArmed) {
            const auto* entry = static_cast<const Entry*>(node);
            const unsigned want = entry->kind == kReadable ? plat::kFdReadable : plat::kFdWritable;
            const auto [at, isNew] = slot.try_emplace(entry->fd, items.size());
            if (isNew)
                items.push_back({entry->fd, want, 0});
            else
                items[at->second].want |= want;
        }
    }
    if (plat::WaitForFds(items.data(), items.size(), -1) <= 0)
        return;
    bool moved = false;
    {
        plat::ScopedLock lock(fMutex);
        std::vector<Entry*> ready;
        for (SSLink* node : fArmed) {
            auto* entry = static_cast<Entry*>(node);
            const auto at = slot.find(entry->fd);
            if (at == slot.end())
                continue; // armed after the wait began: the next wait covers it
            const unsigned got = items[at->second].got;
            const unsigned wanted = entry->kind == kReadable ? plat::kFdReadable : plat::kFdWritable;
            // An error or hang-up wakes both kinds: the callback's own call reports it, and
            // the descriptor leaves the wait set instead of waking it in a loop.
            if (got & (wanted | plat::kFdError | plat::kFdHangup))
                ready.push_back(entry);
        }
        for (Entry* entry : ready) {
            fArmed.Remove(entry);
            fReady.PushBack(entry);
        }
        moved = !ready.empty();
    }
    if (moved)
        fSignal.Post();
}

void CFdWatcher::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (msg.subject == &fSignal && StrEqual(msg.type, LAsyncSignal::msgX)) {
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
