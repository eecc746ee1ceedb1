#pragma once
#include <mutex>

namespace plat {

// A mutex that the thread holding it may lock again; it must be unlocked as often as it
// was locked.
class RecursiveMutex {
public:
    RecursiveMutex() = default;
    RecursiveMutex(const RecursiveMutex&) = delete;
    RecursiveMutex& operator=(const RecursiveMutex&) = delete;

    void Lock() { fMutex.lock(); }
    void Unlock() { fMutex.unlock(); }
    [[nodiscard]] bool TryLock() { return fMutex.try_lock(); }

    void lock() { Lock(); }
    void unlock() { Unlock(); }
    bool try_lock() { return TryLock(); }

private:
    std::recursive_mutex fMutex;
};

} // namespace plat
