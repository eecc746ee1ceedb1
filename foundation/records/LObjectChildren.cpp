// Child records and lists: recording operations and the raw operations readers use.
#include "foundation/records/LObject.h"

#include "foundation/core/LArray.h"
#include "foundation/records/LMergeKey.h"
#include "foundation/records/LObjChange.h"
#include "foundation/records/LObjectEdit.h"

#include <algorithm>

namespace {

LArray* ListOf(LObject* record, uint8_t field)
{
    const LFieldDesc* fd = record ? record->FieldDesc(field) : nullptr;
    return fd && fd->type == LFieldType::List ? record->GetFieldSlot(field).List() : nullptr;
}

LObject*& ElementAt(LArray* list, uint32_t index)
{
    return list->Items<LObject*>()[index];
}

// Where `child` sits in the list now (a notice receiver may have changed the list), or -1.
int64_t FindElement(LArray* list, const LObject* child, uint32_t hint)
{
    if (hint < list->Count() && ElementAt(list, hint) == child)
        return hint;
    for (uint32_t i = 0; i < list->Count(); i++) {
        if (ElementAt(list, i) == child)
            return i;
    }
    return -1;
}

// A will-insert or will-remove notice: to the class of the list's owner, then the observers.
void NotifyOwner(LObject* owner, LObjChange& notice, LObjRoot* holder)
{
    if (owner->Class()->Call(LClassOp::Change, &notice) == 0)
        holder->NotifyObservers(notice);
}

} // namespace

// ---- recording operations ----

LObjectPtr LObject::SetChild(LObject* record, LHandler* context, uint8_t field, LObjectPtr child)
{
    const LFieldDesc* fd = record ? record->FieldOfType(field, LFieldType::Child) : nullptr;
    if (!fd)
        return child;  // not a child field: the caller keeps its record
    LObject* old = record->Slots()[field].Child();
    if (old == child.get()) {
        (void)child.release();  // already held here
        return nullptr;
    }
    LObjRoot* holder = record->GetRootHolder();
    LMergeKey::Forget();
    if (LObjectEdit::Records(context, holder)) {
        CUndoStrm undo = LObjectEdit::Structural(context, holder, ReplaySetChild);
        WriteSnapshot(undo, old);
        WritePath(undo, record, field);
        WriteSnapshot(undo, child.get());
    }
    LObject* added = child.release();
    PutChild(record, field, added);
    if (old && !fd->IsSilent())
        NotifyDetached(old, context, holder, 0);
    if (old)
        old->Detach();
    if (added && !fd->IsSilent())
        NotifyAttached(added, context, holder, 0);
    NotifyFieldChanged(record, context, holder, field, 0);
    return LObjectPtr(old);
}

void LObject::ReplaceChild(LObject* record, LHandler* context, uint8_t field, LObjectPtr child)
{
    SetChild(record, context, field, std::move(child));  // the previous child dies here
}

bool LObject::InsertChild(LObject* record, LHandler* context, uint8_t field, uint32_t index, LObjectPtr child)
{
    LArray* list = ListOf(record, field);
    if (!list)
        return false;
    const bool silent = record->fClass->Field(field).IsSilent();
    LObjRoot* holder = record->GetRootHolder();
    index = std::min(index, list->Count());
    if (child && holder && !silent) {
        child->fParent = record;
        child->fPlace = field;
        child->fListIndex = -1;
        LObjChange notice{context, child.get(), LObjOp::WillInsert, kNoField, int32_t(index), -1};
        NotifyOwner(record, notice, holder);
        index = std::min(uint32_t(notice.index), list->Count());
    }
    if (!InsertChildRaw(record, field, index, child.get()))
        return false;
    LObject* added = child.release();
    LMergeKey::Forget();
    if (LObjectEdit::Records(context, holder)) {
        CUndoStrm undo = LObjectEdit::Structural(context, holder, ReplayInsertChild);
        WriteSnapshot(undo, added);
        undo.WriteU32(index);
        WritePath(undo, record, field);
    }
    if (added && !silent)
        NotifyAttached(added, context, holder, int32_t(index));
    ReportChange(record, context, holder, LObjOp::Inserted, field, int32_t(index), -1);
    return true;
}

LObjectPtr LObject::RemoveChildAt(LObject* record, LHandler* context, uint8_t field, uint32_t index)
{
    LArray* list = ListOf(record, field);
    if (!list || index >= list->Count())
        return nullptr;
    const bool silent = record->fClass->Field(field).IsSilent();
    LObject* child = ElementAt(list, index);
    LObjRoot* holder = record->GetRootHolder();
    LMergeKey::Forget();
    if (LObjectEdit::Records(context, holder)) {
        CUndoStrm undo = LObjectEdit::Structural(context, holder, ReplayRemoveChild);
        WritePath(undo, record, field);
        undo.WriteU32(index);
        WriteSnapshot(undo, child);
    }
    if (child && holder && !silent) {
        LObjChange notice{context, child, LObjOp::WillRemove, kNoField, int32_t(index), -1};
        NotifyOwner(record, notice, holder);
        const int64_t now = FindElement(list, child, index);
        if (now < 0)
            return nullptr;  // a receiver took it out already
        index = uint32_t(now);
    }
    list->RemoveAt(index, 1);
    if (child)
        child->fListIndex = -1;
    RenumberChildren(record, field, index, list->Count());
    ReportChange(record, context, holder, LObjOp::Deleted, field, int32_t(index), -1);
    if (child && !silent)
        NotifyDetached(child, context, holder, int32_t(index));
    if (child)
        child->Detach();
    return LObjectPtr(child);
}

void LObject::DeleteChildAt(LObject* record, LHandler* context, uint8_t field, uint32_t index)
{
    RemoveChildAt(record, context, field, index);  // the removed child dies here
}

void LObject::MoveChild(LObject* record, LHandler* context, uint8_t field, uint32_t from, uint32_t to)
{
    LArray* list = ListOf(record, field);
    if (!list)
        return;
    const uint32_t n = list->Count();
    const uint32_t target = std::min(n, to);
    const uint32_t destination = from < target ? target - 1 : target;
    if (from >= n || destination == from)
        return;
    LObjRoot* holder = record->GetRootHolder();
    LMergeKey::Forget();
    if (LObjectEdit::Records(context, holder)) {
        CUndoStrm undo = LObjectEdit::Structural(context, holder, ReplayMoveChild);
        WritePath(undo, record, field);
        undo.WriteU32(from);
        undo.WriteU32(target);
    }
    LObject* scratch = nullptr;
    list->MoveItem(from, destination, &scratch);
    RenumberChildren(record, field, from, destination);
    ReportChange(record, context, holder, LObjOp::Moved, field, int32_t(from), int32_t(destination));
}

// ---- raw operations ----

LObject* LObject::PutChild(LObject* record, uint8_t field, LObject* child)
{
    if (!record || !record->FieldOfType(field, LFieldType::Child))
        return nullptr;
    LFieldSlot& slot = record->Slots()[field];
    LObject* previous = slot.Child();
    if (previous == child)
        return nullptr;
    slot.SetPointer(child);
    if (child)
        child->AttachTo(record, field);
    return previous;
}

LObjectPtr LObject::ExchangeChild(LObject* record, uint8_t field, LObjectPtr child)
{
    if (!record || !record->FieldOfType(field, LFieldType::Child))
        return child;
    if (record->Slots()[field].Child() == child.get()) {
        (void)child.release();
        return nullptr;
    }
    LObject* previous = PutChild(record, field, child.release());
    if (previous)
        previous->Detach();
    return LObjectPtr(previous);
}

bool LObject::InsertChildRaw(LObject* record, uint8_t field, uint32_t index, LObject* child)
{
    LArray* list = ListOf(record, field);
    if (!list)
        return false;
    index = std::min(index, list->Count());
    if (!list->InsertAt(index, &child))
        return false;
    if (child)
        child->AttachTo(record, field);
    RenumberChildren(record, field, index, list->Count());
    return true;
}

void LObject::ClearChildList(LObject* record, uint8_t field)
{
    LArray* list = ListOf(record, field);
    if (!list)
        return;
    while (list->Count() > 0) {
        LObject* last = ElementAt(list, list->Count() - 1);
        list->RemoveAt(list->Count() - 1, 1);
        Delete(last);
    }
}

void LObject::RenumberChildren(LObject* record, uint8_t field, uint32_t a, uint32_t b)
{
    LArray* list = ListOf(record, field);
    if (!list || list->Count() == 0)
        return;
    const uint32_t last = list->Count() - 1;
    const uint32_t low = std::min(std::min(a, b), last);
    const uint32_t high = std::min(std::max(a, b), last);
    for (uint32_t i = low; i <= high; i++) {
        if (LObject* element = ElementAt(list, i))
            element->fListIndex = int32_t(i);
    }
}
