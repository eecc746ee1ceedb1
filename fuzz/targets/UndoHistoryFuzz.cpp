// The undo history: a document's edits are recorded, then the recorded bytes are damaged by
// the input (XORed over them) before every step is undone and redone. Damaged records must
// be refused or replayed within their bounds, never read outside them.
#include "analysis/records/CFaderSetRecord.h"
#include "analysis/records/SnxFields.h"
#include "foundation/core/LByteBuffer.h"
#include "foundation/core/LHandler.h"
#include "foundation/core/LMessage.h"
#include "foundation/records/CUNDOQ.h"
#include "foundation/records/CUndoStrm.h"
#include "foundation/records/LObject.h"
#include "foundation/streams/CMemStream.h"
#include "fuzz/FuzzCheck.h"
#include "fuzz/FuzzTargets.h"

#include <memory>

namespace {

// A document window as far as undo goes: its queue sees every message first.
class UndoWindow : public LHandler {
public:
    UndoWindow() : queue(0x10000, std::make_unique<CMemStream>(bytes)) {}
    void HandleMessage(LMessage& result, const LMessage& msg) override
    {
        if (queue.HandleMessage(msg)) {
            LMessage::Clear(result);
            return;
        }
        LHandler::HandleMessage(result, msg);
    }

    LByteBuffer bytes;
    CUNDOQ queue;
};

void Edit(CFaderSetRecord& doc, LHandler* control)
{
    for (int i = 0; i < 3; ++i)
        (void)doc.AppendFader(control);
    doc.SetFaderLowFreq(control, 1, 55.0f);
    doc.SetFaderHighFreq(control, 2, 4000.0f);
    LObject::SetString(doc.Fader(0), control, kFadrName, LStringRef("Kick"), LObject::Merge::No);
    ResizeChannelRecords(doc.Root(), control, 4);
    const uint8_t dmx[3] = {0, 128, 255};
    LObject::SetArray(doc.Root(), control, kFdrsDmst, dmx, 3);
    LObject::DeleteChildAt(doc.Root(), control, kFdrsFdrs, 1);
}

} // namespace

int FuzzUndoHistory(const uint8_t* data, size_t size)
{
    UndoWindow window;
    LHandler control(&window);
    CFaderSetRecord doc;
    Edit(doc, &control);
    uint8_t* recorded = window.bytes.Data();
    for (size_t i = 0; i < size && i < window.bytes.Size(); ++i)
        recorded[i] ^= data[i];
    int steps = 0;
    for (; window.queue.CanUndo() && steps < 64; ++steps)
        window.queue.Replay(CUndoStrm::kUndo);
    FuzzCheck(steps < 64, "undo ends within the recorded steps");
    for (steps = 0; window.queue.CanRedo() && steps < 64; ++steps)
        window.queue.Replay(CUndoStrm::kRedo);
    FuzzCheck(steps < 64, "redo ends within the recorded steps");
    return 0;
}
