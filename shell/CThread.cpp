#include "shell/CThread.h"

bool CThread::Start(void* argument, Entry entry, const plat::ThreadPriority* priority)
{
    Stop();
    fThread = std::make_unique<plat::Thread>();
    auto body = [argument, entry] { entry(argument); };
    fStarted = priority ? fThread->Start(body, *priority) : fThread->Start(body);
    return fStarted;
}

void CThread::Stop()
{
    if (!fStarted)
        return;
    fStarted = false;
    fThread->Join();
}

plat::ThreadPriority CThread::Granted() const { return fThread ? fThread->Granted() : plat::ThreadPriority{}; }

bool CThread::GotWantedPriority() const { return fThread && fThread->GotWantedPriority(); }
