#pragma once
#include "foundation/records/LObject.h"

#include <cstdint>

// A change notice, built on the stack of the reporting operation and valid during the call.
struct LObjChange {
    LHandler* context;  // the handler that made the edit; null for loading, resetting, undo, redo
    LObject* record;    // for Attached..WillRemove the child or subtree root, else the edited record
    LObjOp operation;
    uint8_t field;      // 255 for Attached..WillRemove
    int32_t index;      // meaning by operation (WillInsert: a receiver may change it)
    int32_t index2;
};
