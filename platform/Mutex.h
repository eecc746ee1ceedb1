#pragma once
#include <mutex>

namespace plat {

// A plain (non-recursive) mutex. Lock/Unlock for our code, lock/unlock so that the
// standard scope guards work with it too.
class Mutex {
public:
    Mutex() = default;
    Mutex(const Mutex&) = delete;
    Mutex& operator=(const Mutex&) = delete;

    void Lock() { fMutex.lock(); }
    void Unlock() { fMutex.unlock(); }
    [[nodiscard]] bool TryLock() { return fMutex.try_lock(); }

    void lock() { Lock(); }
    void unlock() { Unlock(); }
    bool try_lock() { return TryLock(); }

    std::mutex& Native() { return fMutex; }

private:
    std::mutex fMutex;
};

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
