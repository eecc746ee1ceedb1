#include "foundation/records/CParamNotice.h"

#include "foundation/records/CParamSchema.h"
#include "foundation/records/LObjChange.h"
#include "foundation/records/LObject.h"

namespace {

using S = CParamSchema;

bool IsA(const LObject* record, uint32_t cls)
{
    return record && record->Is(S::kCreator, cls);
}

// The set and the name of the parameter a notice is about; false for any other notice.
bool FindSet(const LObjChange& notice, LObject*& set, LStringRef& name)
{
    LObject* record = notice.record;
    if (IsA(record, S::kParamClass) &&
        (notice.operation == LObjOp::Changed || notice.operation == LObjOp::Detached)) {
        set = record->Parent();
        name = record->GetString(S::kName);
        return set != nullptr;
    }
    if (IsA(record, S::kSetClass) && notice.operation == LObjOp::Inserted) {
        set = record;
        const LObject* param = notice.index < 0 ? nullptr : record->GetChild(S::kParams, uint32_t(notice.index));
        name = param ? param->GetString(S::kName) : LStringRef();
        return true;
    }
    return false;
}

} // namespace

bool ParseParamNotice(const LObjChange& notice, CParamNotice& out)
{
    LObject* set = nullptr;
    LStringRef name;
    if (!notice.record || !notice.record->Class() || notice.record->Class()->Creator() != S::kCreator ||
        !FindSet(notice, set, name))
        return false;
    out.params.RemoveAll();
    LObject* parent = set->Parent();
    if (!IsA(parent, S::kTableClass)) {
        // Climb out of nested sets: each is held in field 2 of a parameter of the set above.
        LObject* owner = parent;
        uint8_t field = set->PlaceField();
        while (field == S::kSubSet && IsA(owner, S::kParamClass)) {
            if (!out.params.Append(&owner))
                return false;
            LObject* holdingSet = owner->Parent();
            field = holdingSet ? holdingSet->PlaceField() : 0;
            owner = holdingSet ? holdingSet->Parent() : nullptr;
        }
        out.owner = owner;
        out.field = field;
        out.table = nullptr;
        out.column = out.row = 0;
    } else {
        const int32_t place = set->IndexInParent();
        if (place < 0 || uint32_t(place) >= parent->GetArrayCount(S::kCells))
            return false;
        const uint32_t columns = parent->GetUInt(S::kCols);
        out.table = parent;
        out.owner = parent->Parent();
        out.field = parent->PlaceField();
        out.column = columns ? uint32_t(place) % columns : 0;
        out.row = columns ? uint32_t(place) / columns : 0;
    }
    out.set = set;
    out.name = name;
    return true;
}
