#include "foundation/core/LTimerPool.h"

void LPooledRecord::Recycle() noexcept
{
    if (fPool)
        fPool->GiveBack(this);
    else
        delete this;
}

LTimerPool::~LTimerPool()
{
    fFree.DeleteAll();
}

LPooledRecord* LTimerPool::Take()
{
    LPooledRecord* record = nullptr;
    {
        std::lock_guard lock(fMutex);
        record = static_cast<LPooledRecord*>(fFree.PopFront());
    }
    if (!record)
        record = MakeRecord();
    if (!record)
        return nullptr;
    record->Retain();
    record->fPool = this;
    Retain();
    return record;
}

void LTimerPool::GiveBack(LPooledRecord* record) noexcept
{
    {
        std::lock_guard lock(fMutex);
        fFree.PushFront(record);
    }
    Release();
}

uint32_t LTimerPool::FreeCount() const
{
    std::lock_guard lock(fMutex);
    return fFree.Count();
}
