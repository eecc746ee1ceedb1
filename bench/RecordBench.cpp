// Record edits with undo recording: a slider drag (merged float edits), list insertions with
// their snapshots, and undo/redo of a deleted subtree.
#include "foundation/core/LByteBuffer.h"
#include "foundation/core/LHandler.h"
#include "foundation/core/LMessage.h"
#include "foundation/records/CUNDOQ.h"
#include "foundation/records/CUndoStrm.h"
#include "foundation/records/LObjRoot.h"
#include "foundation/records/LObject.h"
#include "foundation/streams/CMemStream.h"

#include <benchmark/benchmark.h>

#include <iterator>

namespace {

const LFieldDesc kLeafFields[] = {
    LFieldDesc::Int(FourCC("val ")),
    LFieldDesc::Text(FourCC("name"), "leaf"),
    LFieldDesc::ArrayOf(FourCC("arr "), LFieldType::Float, 2),
};
const LClassDesc gLeaf(FourCC("BNCH"), FourCC("LEAF"), std::size(kLeafFields), kLeafFields);

const LFieldDesc kTreeFields[] = {
    LFieldDesc::FloatField(FourCC("gain"), 0.0f, 3),
    LFieldDesc::ListOf(FourCC("kids"), FourCC("BNCH"), FourCC("LEAF")),
};
const LClassDesc gTree(FourCC("BNCH"), FourCC("TREE"), std::size(kTreeFields), kTreeFields);

class BenchDoc : public LHandler {
public:
    explicit BenchDoc(LByteBuffer& bytes) : queue(0x100000, std::make_unique<CMemStream>(bytes)) {}
    void HandleMessage(LMessage& result, const LMessage& msg) override
    {
        if (queue.HandleMessage(msg)) {
            LMessage::Clear(result);
            return;
        }
        LHandler::HandleMessage(result, msg);
    }
    CUNDOQ queue;
};

struct Setup {
    LByteBuffer bytes;
    BenchDoc doc{bytes};
    LHandler control{&doc};
    LObjRoot holder{LObject::Create(&gTree)};
};

void BM_MergedFloatEdits(benchmark::State& state)
{
    Setup s;
    float value = 0;
    for (auto _ : state) {
        LObject::SetFloat(s.holder.Root(), &s.control, 0, value += 1.0f, LObject::Merge::Yes);
    }
}
BENCHMARK(BM_MergedFloatEdits);

void BM_InsertAndDeleteChild(benchmark::State& state)
{
    Setup s;
    const float f = 1.5f;
    for (auto _ : state) {
        LObjectPtr leaf = LObject::Create(&gLeaf);
        LObject::ExtendArray(leaf.get(), nullptr, 2, &f, 16);
        (void)LObject::InsertChild(s.holder.Root(), &s.control, 1, 0, std::move(leaf));
        LObject::DeleteChildAt(s.holder.Root(), &s.control, 1, 0);
    }
}
BENCHMARK(BM_InsertAndDeleteChild);

void BM_UndoRedoDeletedChild(benchmark::State& state)
{
    Setup s;
    const float f = 1.5f;
    LObjectPtr leaf = LObject::Create(&gLeaf);
    LObject::ExtendArray(leaf.get(), nullptr, 2, &f, 16);
    (void)LObject::InsertChild(s.holder.Root(), nullptr, 1, 0, std::move(leaf));
    LObject::DeleteChildAt(s.holder.Root(), &s.control, 1, 0);
    for (auto _ : state) {
        s.doc.queue.Replay(CUndoStrm::kUndo);
        s.doc.queue.Replay(CUndoStrm::kRedo);
    }
}
BENCHMARK(BM_UndoRedoDeletedChild);

} // namespace
