#pragma once
#include <cstdint>

// The source side of a running drag: which operations it offers, and the one it ended with.
class MDragSrc {
public:
    explicit MDragSrc(bool localOnly) : mLocalOnly(localOnly) {}

    // Inside the application every operation but delete; outside a copy, unless the data may
    // only be dropped inside.
    uint32_t OperationMask(bool local) const;
    void DraggedImageEnded(uint32_t operation) { mOp = operation; }
    uint32_t Operation() const { return mOp; }

private:
    uint8_t mLocalOnly;
    uint32_t mOp = 0;
};
