// Snapshots of record trees in undo data: a deleted or replaced subtree is rebuilt from them.
#include "foundation/records/LObject.h"

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

bool ReadForward(CUndoStrm& s, LObjectPtr& out, uint32_t depth);
bool ReadBackward(CUndoStrm& s, LObjectPtr& out, uint32_t depth);

bool ReadFieldForward(CUndoStrm& s, LObject* record, uint8_t f, uint32_t depth)
{
    const LFieldDesc& fd = *record->FieldDesc(f);
    switch (fd.type) {
    case LFieldType::String:
        record->GetFieldSlot(f).String() = s.ReadString();
        return !s.Failed();
    case LFieldType::Array:
        LObject::ReadArrayForward(s, record, f, fd.elemType);
        return !s.Failed();
    case LFieldType::Child: {
        LObjectPtr child;
        if (!ReadForward(s, child, depth + 1))
            return false;
        LObject::ExchangeChild(record, f, std::move(child));
        return true;
    }
    case LFieldType::List: {
        const uint32_t n = s.ReadU32Fwd();
        LObject::ClearChildList(record, f);
        for (uint32_t i = 0; i < n && !s.Failed(); i++) {
            LObjectPtr element;
            if (!ReadForward(s, element, depth + 1) ||
                !LObject::InsertChildRaw(record, f, record->GetArrayCount(f), element.get()))
                return false;
            (void)element.release();
        }
        return s.ReadU32Fwd() == n && !s.Failed();
    }
    default:
        record->GetFieldSlot(f).SetBits(Sanitize(fd.type, s.ReadU64Fwd()));
        return !s.Failed();
    }
}

bool ReadFieldBackward(CUndoStrm& s, LObject* record, uint8_t f, uint32_t depth)
{
    const LFieldDesc& fd = *record->FieldDesc(f);
    switch (fd.type) {
    case LFieldType::String:
        record->GetFieldSlot(f).String() = s.ReadBackString();
        return !s.Failed();
    case LFieldType::Array:
        LObject::ReadArrayBackward(s, record, f, fd.elemType);
        return !s.Failed();
    case LFieldType::Child: {
        LObjectPtr child;
        if (!ReadBackward(s, child, depth + 1))
            return false;
        LObject::ExchangeChild(record, f, std::move(child));
        return true;
    }
    case LFieldType::List: {
        const uint32_t n = s.ReadBackU32();
        LObject::ClearChildList(record, f);
        for (uint32_t i = 0; i < n && !s.Failed(); i++) {
            LObjectPtr element;
            if (!ReadBackward(s, element, depth + 1) || !LObject::InsertChildRaw(record, f, 0, element.get()))
                return false;
            (void)element.release();
        }
        return s.ReadBackU32() == n && !s.Failed();
    }
    default:
        record->GetFieldSlot(f).SetBits(Sanitize(fd.type, s.ReadBackU64()));
        return !s.Failed();
    }
}

bool ReadForward(CUndoStrm& s, LObjectPtr& out, uint32_t depth)
{
    out.reset();
    const uint64_t identity = s.ReadU64Fwd();
    if (s.Failed() || depth > kMaxSnapshotDepth)
        return false;
    if (identity == 0)
        return true;
    LObjectPtr record = CreateFromIdentity(identity);
    if (!record)
        return false;
    for (uint32_t f = 0; f < record->FieldCount(); f++) {
        if (!ReadFieldForward(s, record.get(), uint8_t(f), depth))
            return false;
    }
    if (s.ReadU64Fwd() != identity || s.Failed())
        return false;
    out = std::move(record);
    return true;
}

bool ReadBackward(CUndoStrm& s, LObjectPtr& out, uint32_t depth)
{
    out.reset();
    const uint64_t identity = s.ReadBackU64();
    if (s.Failed() || depth > kMaxSnapshotDepth)
        return false;
    if (identity == 0)
        return true;
    LObjectPtr record = CreateFromIdentity(identity);
    if (!record)
        return false;
    for (uint32_t f = record->FieldCount(); f-- > 0;) {
        if (!ReadFieldBackward(s, record.get(), uint8_t(f), depth))
            return false;
    }
    if (s.ReadBackU64() != identity || s.Failed())
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
    return ReadForward(stream, record, 0);
}

bool LObject::ReadSnapshotBackward(CUndoStrm& stream, LObjectPtr& record)
{
    return ReadBackward(stream, record, 0);
}
