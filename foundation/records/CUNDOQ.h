#pragma once
#include "foundation/text/LStrList.h"
#include "foundation/core/LStringRef.h"
#include "foundation/records/CUndoRing.h"

#include <cstdint>
#include <memory>

class CScratchFile;
class CUndoStrm;
class LHandler;
class LStream;
struct LMessage;

// The undo queue of a document window: a ring of undo records in a scratch file, the Undo
// and Redo menu commands with their captions, and the answer to "CUndoStrm_Find" through
// which every edit of the document finds where to record itself. When the scratch file
// cannot be made or written, undo stays disabled: no stream attaches and nothing is offered.
class CUNDOQ {
public:
    // The document window passes 0x100000. Undo stays disabled when the scratch file
    // cannot be made.
    explicit CUNDOQ(uint64_t capacity);
    // A queue over a stream of the caller's (tests, or a store other than a scratch file).
    CUNDOQ(uint64_t capacity, std::unique_ptr<LStream> stream);
    ~CUNDOQ();
    CUNDOQ(const CUNDOQ&) = delete;
    CUNDOQ& operator=(const CUNDOQ&) = delete;

    // Offered every message of the window first; true means it was consumed.
    [[nodiscard]] bool HandleMessage(const LMessage& msg);
    // The menu caption for a record: the template of the direction filled with the record's
    // caption, or the plain caption when the record has none.
    LStringRef MakeCaption(int direction, const CUndoStrm& reader) const;
    // Undoes (CUndoStrm::kUndo) or redoes (kRedo) one step.
    void Replay(int direction);

    bool CanUndo() const { return fRing.IsUsable() && fRing.cur != fRing.oldest; }
    bool CanRedo() const { return fRing.IsUsable() && fRing.cur != fRing.top; }
    const CUndoRing& Ring() const { return fRing; }

private:
    static LStrListRef LoadCaptions();
    void EnableMenus(LHandler* menuBar);
    LStringRef CaptionOf(int direction);

    LStrListRef fCaptions;
    std::unique_ptr<CScratchFile> fFile;  // 'CST#' "CUNDOQ": plain undo, plain redo, undo and redo templates
    std::unique_ptr<LStream> fStream;
    CUndoRing fRing;
    LStringRef fUndoCaption;
    LStringRef fRedoCaption;
    bool fCaptionsValid = false;
    bool fReplaying = false;
};
