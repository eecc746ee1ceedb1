// Snapshots of record trees in undo data: a deleted or replaced subtree is rebuilt from them.
#include "foundation/records/LObject.h"

#include "foundation/records/CUndoItemReader.h"
#include "foundation/records/CUndoStrm.h"

namespace {

// Deeper nesting than any tree of the program has means the data is damaged.
constexpr uint32_t kMaxSnapshotDepth = 64;

uint64_t Identity(const LClassDesc* desc)
{
    return reinterpret_cast<uintptr_t>(desc);
}

// A raw slot read back: only the bits its type may hold.
uint64_t Sanitize(LFieldType type, uint64_t bits)
{
    switch (type) {
    case LFieldType::Byte:
        return bits & 0xFF;
    case LFieldType::Int32:
    case LFieldType::UInt32:
    case LFieldType::Float:
        return bits & 0xFFFFFFFF;
    default:
        return 0;  // inert slots stay zero
    }
}

// A record of the class named by a stored identity, when that names a registered class.
LObjectPtr CreateFromIdentity(uint64_t identity)
{
    const auto* desc = reinterpret_cast<const LClassDesc*>(uintptr_t(identity));
    if (!LClassDesc::IsRegistered(desc))
        return nullptr;
    return LObject::Create(desc);
}

bool ReadRecord(CUndoItemReader& in, LObjectPtr& out, uint32_t depth);

bool ReadField(CUndoItemReader& in, LObject* record, uint8_t f, uint32_t depth)
{
    const LFieldDesc& fd = *record->FieldDesc(f);
    switch (fd.type) {
    case LFieldType::String:
        record->GetFieldSlot(f).String() = in.Text();
        return in.Ok();
    case LFieldType::Array:
        in.Array(record, f, fd.elemType);
        return in.Ok();
    case LFieldType::Child: {
        LObjectPtr child;
        if (!ReadRecord(in, child, depth + 1))
            return false;
        LObject::ExchangeChild(record, f, std::move(child));  // the default child goes
        return true;
    }
    case LFieldType::List: {
        const uint32_t n = in.U32();
        LObject::ClearChildList(record, f);
        for (uint32_t i = 0; i < n && in.Ok(); i++) {
            LObjectPtr element;
            // Backwards the elements come last first: each goes in front.
            const uint32_t at = in.Forward() ? record->GetArrayCount(f) : 0;
            if (!ReadRecord(in, element, depth + 1) || !LObject::InsertChildRaw(record, f, at, element.get()))
                return false;
            (void)element.release();
        }
        return in.U32() == n && in.Ok();
    }
    default:
        record->GetFieldSlot(f).SetBits(Sanitize(fd.type, in.U64()));
        return in.Ok();
    }
}

bool ReadRecord(CUndoItemReader& in, LObjectPtr& out, uint32_t depth)
{
    out.reset();
    const uint64_t identity = in.U64();
    if (!in.Ok() || depth > kMaxSnapshotDepth)
        return false;
    if (identity == 0)
        return true;
    LObjectPtr record = CreateFromIdentity(identity);
    if (!record)
        return false;
    const uint32_t count = record->FieldCount();
    for (uint32_t k = 0; k < count; k++) {
        const auto f = uint8_t(in.Forward() ? k : count - 1 - k);
        if (!ReadField(in, record.get(), f, depth))
            return false;
    }
    if (in.U64() != identity || !in.Ok())
        return false;
    out = std::move(record);
    return true;
}

} // namespace

void LObject::WriteSnapshot(CUndoStrm& stream, const LObject* record)
{
    if (!stream.IsRecording())
        return;
    if (!record) {
        stream.WriteU64(0);
        return;
    }
    const uint64_t identity = Identity(record->Class());
    stream.WriteU64(identity);
    for (uint32_t f = 0; f < record->FieldCount(); f++) {
        const uint8_t field = uint8_t(f);
        const LFieldDesc& fd = *record->FieldDesc(field);
        switch (fd.type) {
        case LFieldType::String:
            stream.WriteString(record->GetFieldSlot(field).String());
            break;
        case LFieldType::Array:
            WriteArrayField(stream, record, field);
            break;
        case LFieldType::Child:
            WriteSnapshot(stream, record->GetChild(field));
            break;
        case LFieldType::List: {
            const uint32_t n = record->GetArrayCount(field);
            stream.WriteU32(n);
            for (uint32_t i = 0; i < n; i++)
                WriteSnapshot(stream, record->GetChild(field, i));
            stream.WriteU32(n);
            break;
        }
        default:
            stream.WriteU64(record->GetFieldSlot(field).Bits());
            break;
        }
    }
    stream.WriteU64(identity);
}

bool LObject::ReadSnapshotForward(CUndoStrm& stream, LObjectPtr& record)
{
    CUndoItemReader in(stream, CUndoStrm::kRedo);
    return ReadRecord(in, record, 0);
}

bool LObject::ReadSnapshotBackward(CUndoStrm& stream, LObjectPtr& record)
{
    CUndoItemReader in(stream, CUndoStrm::kUndo);
    return ReadRecord(in, record, 0);
}
