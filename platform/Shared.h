#pragma once
#include <atomic>
#include <cstdint>

namespace plat {

// Base of platform objects shared by reference count (property values, colour spaces,
// device interfaces). A new object belongs to its creator with a count of 1; Retain adds an
// owner, Release drops one and deletes the object with the last.
class Shared {
public:
    Shared(const Shared&) = delete;
    Shared& operator=(const Shared&) = delete;

    void Retain() const { fCount.fetch_add(1, std::memory_order_relaxed); }
    void Release() const
    {
        if (fCount.fetch_sub(1, std::memory_order_acq_rel) == 1)
            delete this;
    }
    int32_t RetainCount() const { return fCount.load(std::memory_order_relaxed); }

protected:
    Shared() = default;
    virtual ~Shared() = default;

private:
    mutable std::atomic<int32_t> fCount{1};
};

} // namespace plat
