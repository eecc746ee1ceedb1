#pragma once
#include <atomic>
#include <cstdint>

// Base of every shared object: an intrusive reference count changed only by atomic
// increment and decrement, so handles to one object may be copied and dropped on any thread.
// A new object has count 0; the first handle that takes it raises the count to 1.
class LHandleData {
public:
    LHandleData() noexcept = default;
    // A copy is a new object: it starts unowned whatever the count of the original.
    LHandleData(const LHandleData&) noexcept {}
    LHandleData& operator=(const LHandleData&) noexcept { return *this; }
    virtual ~LHandleData() = default;

    // Raises the count by one.
    void Retain() const noexcept;
    // Lowers the count by one; when it falls to 0 or below the object is disposed of.
    void Release() const noexcept;
    int32_t RefCount() const noexcept { return fCount.load(std::memory_order_relaxed); }

protected:
    // Called once the last handle let go. Deletes the object unless a subclass recycles it.
    virtual void Dispose() noexcept;
    // Shared static instances raise their count once when built so that no release frees them.
    void MakePermanent() noexcept { Retain(); }

private:
    mutable std::atomic<int32_t> fCount{0};
};
