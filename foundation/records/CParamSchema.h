#pragma once
#include "foundation/records/LClassDesc.h"
#include "foundation/records/LFieldDesc.h"

// The framework's own parameter classes (creator 'YUND'): a named parameter 'PRAM', a set of
// parameters 'PRMS' and a table of sets 'PRMT'.
struct CParamSchema {
    static constexpr uint32_t kCreator = FourCC("YUND");
    static constexpr uint32_t kParamClass = FourCC("PRAM");
    static constexpr uint32_t kSetClass = FourCC("PRMS");
    static constexpr uint32_t kTableClass = FourCC("PRMT");

    // 'PRAM' fields: the name (silent), the value, a nested set (silent, made on demand).
    enum ParamField : uint8_t { kName = 0, kValue = 1, kSubSet = 2 };
    // 'PRMS' field: the parameters in order.
    enum SetField : uint8_t { kParams = 0 };
    // 'PRMT' fields: column count, cells row by row, then memory-only fields that let
    // observers follow table edits: edit counters A and B, the row or column being edited,
    // the applied column count and the kind of edit in progress.
    enum TableField : uint8_t { kCols = 0, kCells = 1, kEditA = 2, kEditB = 3, kEditPlace = 4, kAppliedCols = 5, kEditKind = 6 };
    enum EditKind : uint8_t { kNoEdit = 0, kRowEdit = 1, kColumnEdit = 2 };
    // Largest column count a table read from stored data keeps.
    static constexpr uint32_t kMaxStoredColumns = 4096;

    // Makes sure the three classes are registered (they register themselves at start-up;
    // calling this keeps their module linked in).
    static void InitParamSchema();
    static const LClassDesc* ParamClass();
    static const LClassDesc* SetClass();
    static const LClassDesc* TableClass();
};
