#pragma once
#include "foundation/core/LHandleData.h"
#include "foundation/core/LList.h"

#include <mutex>

class LTimerPool;

// A record kept by an LTimerPool: a list node (its link in the pool's free list) with a
// count of its own. When its last handle goes it returns to its pool instead of dying.
class LPooledRecord : public SSLink, public LHandleData {
public:
    LPooledRecord() noexcept = default;
    LTimerPool* Pool() const noexcept { return fPool; }

    // Returns the record to its pool, or deletes it when it belongs to none.
    virtual void Recycle() noexcept;

protected:
    void Dispose() noexcept override { Recycle(); }

private:
    friend class LTimerPool;
    LTimerPool* fPool = nullptr;
};

// Reference-counted pool of recyclable records. Every record in use holds the pool, so the
// pool lives while its owner or any record holds it. The free list is guarded by a mutex;
// counts change outside it.
class LTimerPool : public LHandleData {
public:
    LTimerPool() = default;
    // Deletes every free record.
    ~LTimerPool() override;
    LTimerPool(const LTimerPool&) = delete;
    LTimerPool& operator=(const LTimerPool&) = delete;

    // A free record, or a new one when none is free, with its count raised to 1 and this
    // pool as its pool. The taker owns that count and drops it with Release. Null only when
    // a new record could not be made.
    LPooledRecord* Take();
    // Puts a record whose count fell to 0 back into the free list and lets go of the pool.
    void GiveBack(LPooledRecord* record) noexcept;

    uint32_t FreeCount() const;

protected:
    // Makes a new record for Take when the free list is empty.
    virtual LPooledRecord* MakeRecord() = 0;

private:
    mutable std::mutex fMutex;
    LList fFree;
};
