#include "foundation/persist/LObjFormWriter.h"
#include "foundation/text/NumberFormat.h"
#include "foundation/persist/RecordCodes.h"
#include "foundation/records/LObject.h"

namespace {

void WritePrimitive(CIffChunk& chunk, const LObject* record, uint8_t field)
{
    const LFieldDesc* fd = record->FieldDesc(field);
    const LFieldSlot& slot = record->GetFieldSlot(field);
    switch (fd->type) {
    case LFieldType::Int32:
    case LFieldType::UInt32:
        chunk.WriteU32(slot.UInt());
        break;
    case LFieldType::Byte:
        chunk.WriteU8(slot.Byte());
        break;
    case LFieldType::Float:
        chunk.WriteString(DoubleToStringTrim(fd->precision, slot.Float()).Text());
        break;
    default:
        chunk.WriteString(slot.String().Text());
        break;
    }
}

// The leading run of primitive fields; answers the first field after it.
uint32_t WriteLeadingRun(CIffChunk& recordChunk, const LObject* record)
{
    CIffChunk run;
    bool open = false;
    uint32_t f = 0;
    for (; f < record->FieldCount(); ++f) {
        const LFieldDesc* fd = record->FieldDesc(uint8_t(f));
        if (!fd->IsTagged())
            continue;
        if (!IsPrimitiveField(fd->type))
            break;
        if (!open) {
            run.BeginSub(recordChunk, RecordCodes::kPrimitives);
            open = true;
        }
        WritePrimitive(run, record, uint8_t(f));
    }
    if (open)
        run.EndWrite();
    return f;
}

void WriteArray(CIffChunk& recordChunk, const LObject* record, uint8_t field)
{
    const LFieldDesc* fd = record->FieldDesc(field);
    const uint32_t count = record->GetArrayCount(field);
    if (count == 0 || uint8_t(fd->elemType) > uint8_t(LFieldType::String))
        return;
    CIffChunk chunk;
    chunk.BeginSub(recordChunk, RecordCodes::kArray);
    chunk.WriteU32(fd->tag);
    const void* data = record->GetArrayData(field);
    switch (fd->elemType) {
    case LFieldType::Int32:
    case LFieldType::UInt32:
        for (uint32_t i = 0; i < count; ++i)
            chunk.WriteU32(static_cast<const uint32_t*>(data)[i]);
        break;
    case LFieldType::Byte:
        chunk.WriteBytes(data, count);
        break;
    case LFieldType::Float:
        for (uint32_t i = 0; i < count; ++i)
            chunk.WriteString(DoubleToStringTrim(fd->precision, static_cast<const float*>(data)[i]).Text());
        break;
    default:
        for (uint32_t i = 0; i < count; ++i)
            chunk.WriteString(static_cast<const LStringRef*>(data)[i].Text());
        break;
    }
    chunk.EndWrite();
}

void WriteChildren(CIffChunk& recordChunk, const LObject* record, uint8_t field)
{
    const LFieldDesc* fd = record->FieldDesc(field);
    const bool isList = fd->type == LFieldType::List;
    const uint32_t count = isList ? record->GetArrayCount(field) : (record->GetChild(field) ? 1 : 0);
    if (count == 0)
        return;
    CIffChunk chunk;
    chunk.BeginSub(recordChunk, isList ? RecordCodes::kList : RecordCodes::kChild);
    chunk.WriteU32(fd->tag);
    for (uint32_t i = 0; i < count; ++i)
        LObjFormWriter::WriteRecord(chunk, record->GetChild(field, i));
    chunk.EndWrite();
}

} // namespace

LObjFormWriter::LObjFormWriter(uint32_t creator, uint32_t cls, LByteBuffer& buffer)
    : fCreator(creator), fClass(cls), fStream(buffer)
{
    fContainer.BeginWrite(&fStream, fCreator);
    fContainer.WriteU32(fClass);
}

LObjFormWriter::~LObjFormWriter()
{
    fContainer.EndWrite();
}

void LObjFormWriter::WriteObject(const LObject* record)
{
    WriteRecord(fContainer, record);
}

void LObjFormWriter::WriteRecord(CIffChunk& parent, const LObject* record)
{
    CIffChunk chunk;
    if (!record || !record->Class()) {
        chunk.BeginSub(parent, RecordCodes::kFramework);
        chunk.WriteU32(RecordCodes::kNullRecord);
        chunk.EndWrite();
        return;
    }
    chunk.BeginSub(parent, record->Class()->Creator());
    chunk.WriteU32(record->Class()->Class());
    for (uint32_t f = WriteLeadingRun(chunk, record); f < record->FieldCount(); ++f) {
        const LFieldDesc* fd = record->FieldDesc(uint8_t(f));
        if (!fd->IsTagged())
            continue;
        if (fd->type == LFieldType::Array)
            WriteArray(chunk, record, uint8_t(f));
        else if (fd->type == LFieldType::Child || fd->type == LFieldType::List)
            WriteChildren(chunk, record, uint8_t(f));
    }
    chunk.EndWrite();
}
