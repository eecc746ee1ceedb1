#include "foundation/records/CParamSchema.h"

#include "foundation/records/CParamTable.h"

#include <iterator>

namespace {

constexpr uint32_t Y = CParamSchema::kCreator;

const LFieldDesc kParamFields[] = {
    LFieldDesc::Text(FourCC("i   "), "", kFieldSilent),
    LFieldDesc::Text(FourCC("v   "), ""),
    LFieldDesc::ChildOf(FourCC("prms"), Y, CParamSchema::kSetClass, kFieldSilent | kFieldOnDemand),
};

const LFieldDesc kSetFields[] = {
    LFieldDesc::ListOf(FourCC("prms"), Y, CParamSchema::kParamClass),
};

const LFieldDesc kTableFields[] = {
    // Each stored column is applied with its own notice: the cap keeps a damaged count from hanging a load.
    LFieldDesc::UInt(FourCC("cols"), 0, 0, CParamSchema::kMaxStoredColumns),
    LFieldDesc::ListOf(FourCC("elms"), Y, CParamSchema::kSetClass),
    LFieldDesc::UInt(0),
    LFieldDesc::UInt(0),
    LFieldDesc::UInt(0, 0, kFieldSilent),
    LFieldDesc::UInt(0),
    LFieldDesc::ByteField(0, 0, kFieldSilent),
};

const LClassDesc gParam(Y, CParamSchema::kParamClass, std::size(kParamFields), kParamFields);
const LClassDesc gSet(Y, CParamSchema::kSetClass, std::size(kSetFields), kSetFields);
const LClassDesc gTable(Y, CParamSchema::kTableClass, std::size(kTableFields), kTableFields, CParamTable::OnChange);

} // namespace

void CParamSchema::InitParamSchema()
{
    // The descriptors are built by this module's static initialisation.
}

const LClassDesc* CParamSchema::ParamClass()
{
    return &gParam;
}

const LClassDesc* CParamSchema::SetClass()
{
    return &gSet;
}

const LClassDesc* CParamSchema::TableClass()
{
    return &gTable;
}
