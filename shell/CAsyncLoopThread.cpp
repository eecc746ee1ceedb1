#include "shell/CAsyncLoopThread.h"

#include "foundation/async/LAsyncSignal.h"
#include "foundation/core/LMessage.h"
#include "foundation/async/LTicks.h"
#include "platform/runloop/FdSource.h"
#include "platform/runloop/RunLoop.h"
#include "platform/runloop/RunLoopSource.h"

#include <thread>

CAsyncLoopThread::CAsyncLoopThread(const WakeSignalMaker& makeWakeSignal)
{
    fWakeSignal = makeWakeSignal(DrainCallback, this);
    if (!fThread.Start(this, ThreadMain, 0))
        return; // no thread: posts queue up and are never delivered
    while (!fRunLoop.load(std::memory_order_acquire))
        std::this_thread::yield();
}

CAsyncLoopThread::~CAsyncLoopThread() { Stop(); }

void CAsyncLoopThread::Stop()
{
    fStop.store(true, std::memory_order_release);
    Wake();
    fThread.Join();
}

void CAsyncLoopThread::ThreadMain(void* self) { static_cast<CAsyncLoopThread*>(self)->Serve(); }

void CAsyncLoopThread::Serve()
{
    plat::RunLoop& loop = plat::RunLoop::Current();
    // Signalling the source only ends the current wait; its callback has nothing to do.
    plat::RunLoopSource source(loop, [] {});
    {
        plat::ScopedLock<plat::Mutex> lock(fSignalListMutex);
        fSource = &source;
    }
    {
        plat::ScopedLock<plat::Mutex> lock(fWatchMutex);
        fServing = true;
    }
    fRunLoop.store(&loop, std::memory_order_release);
    for (;;) {
        // A stop seen before the pass still gets the pass: nothing posted before it is lost.
        const bool stopping = fStop.load(std::memory_order_acquire);
        const uint32_t wait = RunPass();
        if (stopping)
            break;
        loop.RunInMode(plat::kModeDefault, wait, true);
    }
    EndWatches();
    {
        plat::ScopedLock<plat::Mutex> lock(fSignalListMutex);
        fSource = nullptr;
    }
    // A signal of the source may still be under way on another thread; the source lives on
    // this stack until it has ended.
    while (fSignalling.load(std::memory_order_acquire) != 0)
        std::this_thread::yield();
}

// The watches go with the thread: their sources belong to its loop.
void CAsyncLoopThread::EndWatches()
{
    std::vector<Watch> ended;
    {
        plat::ScopedLock<plat::Mutex> lock(fWatchMutex);
        fServing = false;
        ended.swap(fWatches);
    }
}

bool CAsyncLoopThread::WatchReadable(int fd, LAsyncSignal* signal)
{
    plat::RunLoop* loop = RunLoop();
    if (fd < 0 || !signal || !loop)
        return false;
    plat::ScopedLock<plat::Mutex> lock(fWatchMutex);
    if (!fServing)
        return false;
    Watch watch;
    watch.fd = fd;
    watch.source = std::make_unique<plat::FdSource>(*loop, fd, plat::kFdReadable,
                                                    [this, signal](unsigned) { QueueFromWait(signal); });
    fWatches.push_back(std::move(watch));
    return true;
}

void CAsyncLoopThread::UnwatchReadable(int fd)
{
    std::unique_ptr<plat::FdSource> ended;
    {
        plat::ScopedLock<plat::Mutex> lock(fWatchMutex);
        for (auto it = fWatches.begin(); it != fWatches.end(); ++it) {
            if (it->fd == fd) {
                ended = std::move(it->source);
                fWatches.erase(it);
                break;
            }
        }
    }
}

void CAsyncLoopThread::QueueFromWait(LAsyncSignal* signal)
{
    // The callback of a descriptor makes the loop return to Serve, whose pass delivers: the
    // loop needs no signal of its own.
    if (!signal->MarkPosted())
        return;
    plat::ScopedLock<plat::Mutex> lock(fSignalListMutex);
    fSignals.PushBack(signal);
}

uint32_t CAsyncLoopThread::RunPass()
{
    LAsyncQueueLock lock(*this);
    DeliverSignals();
    FireDueTimers();
    return TimeToNext();
}

void CAsyncLoopThread::DeliverSignals()
{
    for (;;) {
        SSLink* link;
        {
            plat::ScopedLock<plat::Mutex> lock(fSignalListMutex);
            link = fSignals.PopFront();
        }
        if (!link)
            return;
        auto* signal = static_cast<LAsyncSignal*>(link);
        // Cleared before the send: a post made while the handler runs is delivered again.
        signal->ClearPosted();
        LMessage::Send(LMessage(LAsyncSignal::msgX, signal, signal->Parent()));
    }
}

void CAsyncLoopThread::Wake()
{
    plat::RunLoopSource* source;
    {
        plat::ScopedLock<plat::Mutex> lock(fSignalListMutex);
        source = TakeSourceToSignal();
    }
    SignalAndRelease(source);
}

plat::RunLoopSource* CAsyncLoopThread::TakeSourceToSignal()
{
    if (fSource)
        fSignalling.fetch_add(1, std::memory_order_acq_rel);
    return fSource;
}

// The mutex is free by now: the woken thread's first step is to take it, and it would block
// on a poster still holding it.
void CAsyncLoopThread::SignalAndRelease(plat::RunLoopSource* source)
{
    if (!source)
        return;
    source->Signal();
    fSignalling.fetch_sub(1, std::memory_order_acq_rel);
}

void CAsyncLoopThread::RequestDrain()
{
    if (!fDrainRequested.exchange(true, std::memory_order_acq_rel) && fWakeSignal)
        fWakeSignal->Signal();
}

void CAsyncLoopThread::DrainCallback(void* context, CRunLoopSignal*)
{
    auto* self = static_cast<CAsyncLoopThread*>(context);
    // Cleared before the drain: a note posted while it runs asks for another one.
    self->fDrainRequested.store(false, std::memory_order_release);
    self->Drain();
}

void CAsyncLoopThread::PostSignal(LAsyncSignal* signal)
{
    if (!signal)
        return;
    plat::RunLoopSource* source;
    {
        plat::ScopedLock<plat::Mutex> lock(fSignalListMutex);
        fSignals.PushBack(signal); // nothing when already queued
        source = TakeSourceToSignal();
    }
    SignalAndRelease(source);
}

void CAsyncLoopThread::UnregisterSignal(LAsyncSignal* signal)
{
    if (!signal)
        return;
    LAsyncQueueLock lock(*this);
    CancelSignal(signal);
}

void CAsyncLoopThread::CancelSignal(LAsyncSignal* signal)
{
    if (!signal)
        return;
    {
        plat::ScopedLock<plat::Mutex> lock(fSignalListMutex);
        fSignals.Remove(signal);
    }
    signal->ClearPosted();
}

uint32_t CAsyncLoopThread::NowMs() { return LTicks::Now(); }
