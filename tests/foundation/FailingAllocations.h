#pragma once
#include "foundation/core/LGrowStore.h"

#include <atomic>
#include <cstddef>

// While alive, every growable-block allocation of at least `minBytes` fails.
class FailingAllocations {
public:
    explicit FailingAllocations(size_t minBytes = 0)
    {
        Threshold().store(minBytes);
        LGrowStore::SetAllocGate([](size_t bytes) { return bytes < Threshold().load(); });
    }
    ~FailingAllocations() { LGrowStore::SetAllocGate(nullptr); }
    FailingAllocations(const FailingAllocations&) = delete;
    FailingAllocations& operator=(const FailingAllocations&) = delete;

private:
    static std::atomic<size_t>& Threshold()
    {
        static std::atomic<size_t> threshold{0};
        return threshold;
    }
};
