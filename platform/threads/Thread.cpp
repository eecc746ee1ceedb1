#include "platform/threads/Thread.h"

#include <cerrno>
#include <pthread.h>
#include <sched.h>

namespace plat {

namespace {

int ToNative(SchedPolicy policy)
{
    switch (policy) {
    case SchedPolicy::Fifo: return SCHED_FIFO;
    case SchedPolicy::RoundRobin: return SCHED_RR;
    case SchedPolicy::Other: break;
    }
    return SCHED_OTHER;
}

SchedPolicy FromNative(int policy)
{
    if (policy == SCHED_FIFO)
        return SchedPolicy::Fifo;
    if (policy == SCHED_RR)
        return SchedPolicy::RoundRobin;
    return SchedPolicy::Other;
}

void* ThreadEntry(void* arg)
{
    // The body is owned by the start call until the thread takes it.
    std::unique_ptr<std::function<void()>> body(static_cast<std::function<void()>*>(arg));
    (*body)();
    return nullptr;
}

} // namespace

struct Thread::Impl {
    pthread_t handle{};
    bool joined = false;
};

bool CurrentThreadPriority(ThreadPriority& out)
{
    int policy = 0;
    sched_param param{};
    if (pthread_getschedparam(pthread_self(), &policy, &param) != 0)
        return false;
    out.policy = FromNative(policy);
    out.priority = param.sched_priority;
    return true;
}

int MinPriority(SchedPolicy policy) { return sched_get_priority_min(ToNative(policy)); }
int MaxPriority(SchedPolicy policy) { return sched_get_priority_max(ToNative(policy)); }

Thread::Thread() = default;

Thread::~Thread()
{
    if (fImpl && !fImpl->joined && pthread_equal(fImpl->handle, pthread_self())) {
        pthread_detach(fImpl->handle); // destroyed by its own body: nobody is left to join
        return;
    }
    Join();
}

bool Thread::Start(std::function<void()> body) { return Launch(std::move(body), nullptr); }

bool Thread::Start(std::function<void()> body, const ThreadPriority& wanted)
{
    return Launch(std::move(body), &wanted);
}

bool Thread::Launch(std::function<void()> body, const ThreadPriority* wanted)
{
    if (fImpl)
        return false; // one body per thread object
    auto impl = std::make_unique<Impl>();
    auto* heapBody = new std::function<void()>(std::move(body));
    int rc = EPERM;
    if (wanted) {
        pthread_attr_t attr;
        pthread_attr_init(&attr);
        sched_param param{};
        param.sched_priority = wanted->priority;
        pthread_attr_setinheritsched(&attr, PTHREAD_EXPLICIT_SCHED);
        pthread_attr_setschedpolicy(&attr, ToNative(wanted->policy));
        pthread_attr_setschedparam(&attr, &param);
        rc = pthread_create(&impl->handle, &attr, ThreadEntry, heapBody);
        pthread_attr_destroy(&attr);
        fGotWanted = rc == 0;
    }
    // Real-time scheduling is refused to ordinary users (EPERM) and odd priorities are
    // refused outright (EINVAL): the thread then runs with the default scheduling.
    if (rc != 0)
        rc = pthread_create(&impl->handle, nullptr, ThreadEntry, heapBody);
    if (rc != 0) {
        delete heapBody;
        fGotWanted = false;
        return false;
    }
    // Explicit scheduling is applied at creation or the creation fails; the fallback
    // inherits the creating thread's scheduling.
    if (fGotWanted)
        fGranted = *wanted;
    else if (!CurrentThreadPriority(fGranted))
        fGranted = ThreadPriority{};
    fImpl = std::move(impl);
    return true;
}

void Thread::Join()
{
    if (!fImpl || fImpl->joined)
        return;
    if (pthread_equal(fImpl->handle, pthread_self()))
        return; // a thread cannot join itself; its owner joins it later
    pthread_join(fImpl->handle, nullptr);
    fImpl->joined = true;
}

} // namespace plat
