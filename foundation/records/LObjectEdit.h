#pragma once
#include "foundation/records/CUndoStrm.h"
#include "foundation/records/LObjRoot.h"
#include "foundation/records/LObject.h"

#include <cstdint>

// Helpers shared by the recording operations of records.
struct LObjectEdit {
    // The id of undo records of a tree: its holder.
    static uint64_t HolderId(const LObjRoot* holder) { return reinterpret_cast<uintptr_t>(holder); }

    static CUndoStrm::Kind KindFor(bool changed)
    {
        return changed ? CUndoStrm::Kind::NewRecord : CUndoStrm::Kind::SkipIfUnchanged;
    }

    // Whether an edit is to be recorded: a context and a tree with a holder.
    static bool Records(const LHandler* context, const LObjRoot* holder) { return context && holder; }

    // An undo stream for a structural edit (nothing merges across it).
    static CUndoStrm Structural(LHandler* context, const LObjRoot* holder, CUndoStrm::ReplayFn replay)
    {
        return CUndoStrm(context, HolderId(holder), replay, LStringRef(), CUndoStrm::Kind::NewRecord,
                         CUndoStrm::Mode::Structural);
    }
};
