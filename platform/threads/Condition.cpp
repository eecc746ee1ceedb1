#include "platform/threads/Condition.h"

#include <cerrno>
#include <pthread.h>
#include <time.h>

namespace plat {

struct Condition::Impl {
    pthread_cond_t cond;
};

Condition::Condition() : fImpl(std::make_unique<Impl>())
{
    pthread_condattr_t attr;
    pthread_condattr_init(&attr);
    pthread_condattr_setclock(&attr, CLOCK_MONOTONIC);
    pthread_cond_init(&fImpl->cond, &attr);
    pthread_condattr_destroy(&attr);
}

Condition::~Condition() { pthread_cond_destroy(&fImpl->cond); }

void Condition::Wait(Mutex& mutex)
{
    pthread_cond_wait(&fImpl->cond, mutex.Native().native_handle());
}

bool Condition::WaitForMs(Mutex& mutex, uint32_t ms)
{
    timespec deadline{};
    clock_gettime(CLOCK_MONOTONIC, &deadline);
    deadline.tv_sec += ms / 1000;
    deadline.tv_nsec += long(ms % 1000) * 1000000L;
    if (deadline.tv_nsec >= 1000000000L) {
        deadline.tv_sec += 1;
        deadline.tv_nsec -= 1000000000L;
    }
    int rc;
    do {
        rc = pthread_cond_timedwait(&fImpl->cond, mutex.Native().native_handle(), &deadline);
    } while (rc == EINTR);
    return rc == 0;
}

void Condition::Signal() { pthread_cond_signal(&fImpl->cond); }
void Condition::Broadcast() { pthread_cond_broadcast(&fImpl->cond); }

} // namespace plat
