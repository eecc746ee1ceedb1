#pragma once
#include <mutex>

namespace plat {

// A mutex with Lock/Unlock for our code and lock/unlock so that the standard scope
// guards work with it too.
template <class NativeMutex>
class BasicMutex {
public:
    BasicMutex() = default;
    BasicMutex(const BasicMutex&) = delete;
    BasicMutex& operator=(const BasicMutex&) = delete;

    void Lock() { fMutex.lock(); }
    void Unlock() { fMutex.unlock(); }
    [[nodiscard]] bool TryLock() { return fMutex.try_lock(); }

    void lock() { Lock(); }
    void unlock() { Unlock(); }
    bool try_lock() { return TryLock(); }

    NativeMutex& Native() { return fMutex; }

private:
    NativeMutex fMutex;
};

// A plain (non-recursive) mutex.
using Mutex = BasicMutex<std::mutex>;

// Holds a mutex for the lifetime of the scope.
template <class MutexType>
class ScopedLock {
public:
    explicit ScopedLock(MutexType& mutex) : fMutex(mutex) { fMutex.Lock(); }
    ~ScopedLock() { fMutex.Unlock(); }
    ScopedLock(const ScopedLock&) = delete;
    ScopedLock& operator=(const ScopedLock&) = delete;

private:
    MutexType& fMutex;
};

} // namespace plat
