#pragma once
#include "foundation/LByteBuffer.h"
#include "foundation/LHandler.h"
#include "foundation/LMessage.h"
#include "foundation/records/CUNDOQ.h"
#include "foundation/records/CUndoStrm.h"
#include "foundation/records/LObjRoot.h"
#include "foundation/streams/CMemStream.h"

#include <memory>
#include <vector>

// A document window as far as undo goes: its queue sees every message first.
class UndoWindow : public LHandler {
public:
    UndoWindow() : queue(0x100000, std::make_unique<CMemStream>(bytes)) {}
    void HandleMessage(LMessage& result, const LMessage& msg) override
    {
        if (queue.HandleMessage(msg)) {
            LMessage::Clear(result);
            return;
        }
        LHandler::HandleMessage(result, msg);
    }
    void Undo() { queue.Replay(CUndoStrm::kUndo); }
    void Redo() { queue.Replay(CUndoStrm::kRedo); }
    // Steps that can still be undone.
    int UndoDepth()
    {
        int depth = 0;
        while (queue.CanUndo()) {
            Undo();
            ++depth;
        }
        for (int i = 0; i < depth; ++i)
            Redo();
        return depth;
    }

    LByteBuffer bytes;
    CUNDOQ queue;
};

// Counts the notices of a record tree.
class NoticeLog {
public:
    explicit NoticeLog(LObjRoot& root) : fRoot(root) { (void)fRoot.AddObserver(this, &NoticeLog::Note); }
    ~NoticeLog() { fRoot.RemoveObserver(this, &NoticeLog::Note); }
    struct Entry {
        LObject* record;
        LObjOp operation;
        uint8_t field;
    };
    std::vector<Entry> entries;

private:
    static void Note(void* context, LObjChange& notice)
    {
        static_cast<NoticeLog*>(context)->entries.push_back({notice.record, notice.operation, notice.field});
    }
    LObjRoot& fRoot;
};
