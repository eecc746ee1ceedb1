// Change notices of records: the modified flag, the class callback and the observers.
#include "foundation/records/LObject.h"

#include "foundation/records/LObjChange.h"
#include "foundation/records/LObjRoot.h"

namespace {

// Whether every field on the way from the record up to the root is tagged (saved), so that
// a change below it makes the document modified.
bool IsOnTaggedPath(const LObject* record)
{
    for (const LObject* r = record; r->Parent(); r = r->Parent()) {
        const LFieldDesc* fd = r->Parent()->FieldDesc(r->PlaceField());
        if (!fd || !fd->IsTagged())
            return false;
    }
    return true;
}

// The class callback of the record first; a non-zero answer keeps the observers out.
void Deliver(LObjChange& notice, LObjRoot* holder)
{
    if (notice.record->Class()->Call(LClassOp::Change, &notice) == 0)
        holder->NotifyObservers(notice);
}

void SendTreeNotice(LObject* record, LHandler* context, LObjRoot* holder, LObjOp op, int32_t place)
{
    LObjChange notice{context, record, op, kNoField, -1, place};
    Deliver(notice, holder);
}

} // namespace

void LObject::ReportChange(LObject* record, LHandler* context, LObjRoot* holder, LObjOp op, uint8_t field,
                           int32_t index, int32_t index2)
{
    if (!holder || !record)
        return;
    const LFieldDesc* fd = record->FieldDesc(field);
    if (!fd)
        return;
    if (fd->IsTagged() && IsOnTaggedPath(record))
        holder->MarkChanged();
    if (fd->IsSilent())
        return;
    LObjChange notice{context, record, op, field, index, index2};
    Deliver(notice, holder);
}

void LObject::NotifyFieldChanged(LObject* record, LHandler* context, LObjRoot* holder, uint8_t field,
                                 int32_t index)
{
    if (!holder || !record)
        return;
    const int32_t place = record->IndexInParent();
    if (place < 0)
        return;
    ReportChange(record, context, holder, LObjOp::Changed, field, index, place);
}

void LObject::NotifyAttached(LObject* record, LHandler* context, LObjRoot* holder, int32_t place)
{
    if (!holder || !record)
        return;
    SendTreeNotice(record, context, holder, LObjOp::Attached, place);
    for (uint32_t f = 0; f < record->FieldCount(); f++) {
        const LFieldDesc& fd = record->fClass->Field(uint8_t(f));
        if (fd.IsSilent())
            continue;
        if (fd.type == LFieldType::Child) {
            NotifyAttached(record->GetChild(uint8_t(f)), context, holder, 0);
        } else if (fd.type == LFieldType::List) {
            for (uint32_t i = 0; i < record->GetArrayCount(uint8_t(f)); i++)
                NotifyAttached(record->GetChild(uint8_t(f), i), context, holder, int32_t(i));
        }
    }
}

void LObject::NotifyDetached(LObject* record, LHandler* context, LObjRoot* holder, int32_t place)
{
    if (!holder || !record)
        return;
    for (uint32_t f = record->FieldCount(); f-- > 0;) {
        const LFieldDesc& fd = record->fClass->Field(uint8_t(f));
        if (fd.IsSilent())
            continue;
        if (fd.type == LFieldType::List) {
            for (uint32_t i = record->GetArrayCount(uint8_t(f)); i-- > 0;)
                NotifyDetached(record->GetChild(uint8_t(f), i), context, holder, int32_t(i));
        } else if (fd.type == LFieldType::Child) {
            NotifyDetached(record->GetChild(uint8_t(f)), context, holder, 0);
        }
    }
    SendTreeNotice(record, context, holder, LObjOp::Detached, place);
}
