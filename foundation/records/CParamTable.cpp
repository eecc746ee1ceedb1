#include "foundation/records/CParamTable.h"

#include "foundation/records/CParamSchema.h"
#include "foundation/records/CParamSet.h"
#include "foundation/records/CUndoStrm.h"
#include "foundation/records/LObjChange.h"
#include "foundation/records/LObjSource.h"
#include "foundation/records/LObject.h"

#include <algorithm>

namespace {

using S = CParamSchema;
using Merge = LObject::Merge;

bool IsTable(const LObject* table)
{
    return table && table->Is(S::kCreator, S::kTableClass);
}

// The next cell from the source, or a new empty set when it has none or gives a record of
// another class (which is dropped).
LObjectPtr NextCell(LObjSource* cells)
{
    LObjectPtr cell = cells ? cells->ReadObject() : nullptr;
    if (cell && cell->Is(S::kCreator, S::kSetClass))
        return cell;
    return LObject::Create(S::SetClass());
}

// Announces the start of a table edit: kind and place first, then the leading counter.
void BeginEdit(LObject* table, LHandler* context, uint8_t kind, uint32_t place, uint8_t leading)
{
    LObject::SetByte(table, context, S::kEditKind, kind, Merge::No);
    LObject::SetUInt(table, context, S::kEditPlace, place, Merge::No);
    LObject::SetUInt(table, context, leading, table->GetUInt(leading) + 1, Merge::No);
}

// Announces its end: the trailing counter catches up, then place and kind.
void EndEdit(LObject* table, LHandler* context, uint32_t place, uint8_t leading, uint8_t trailing)
{
    LObject::SetUInt(table, context, trailing, table->GetUInt(leading), Merge::No);
    LObject::SetUInt(table, context, S::kEditPlace, place, Merge::No);
    LObject::SetByte(table, context, S::kEditKind, S::kNoEdit, Merge::No);
}

} // namespace

void CParamTable::GetSize(const LObject* table, uint32_t& columns, uint32_t& rows)
{
    columns = IsTable(table) ? table->GetUInt(S::kCols) : 0;
    rows = columns ? table->GetArrayCount(S::kCells) / columns : 0;
}

void CParamTable::TrimCells(LObject* table)
{
    uint32_t columns, rows;
    GetSize(table, columns, rows);
    if (!IsTable(table))
        return;
    const uint64_t whole = uint64_t(columns) * rows;
    while (table->GetArrayCount(S::kCells) > whole)
        LObject::DeleteChildAt(table, nullptr, S::kCells, table->GetArrayCount(S::kCells) - 1);
}

void CParamTable::InsertRow(LObject* table, LHandler* context, uint32_t row, LObjSource* cells)
{
    if (!IsTable(table))
        return;
    TrimCells(table);
    uint32_t columns, rows;
    GetSize(table, columns, rows);
    row = std::min(row, rows);
    auto compound = CUndoStrm::BeginCompound(context, LStringRef());
    BeginEdit(table, context, S::kRowEdit, row, S::kEditA);
    for (uint32_t c = 0; c < columns; c++)
        (void)LObject::InsertChild(table, context, S::kCells, row * columns + c, NextCell(cells));
    EndEdit(table, context, row, S::kEditA, S::kEditB);
}

void CParamTable::AppendRow(LObject* table, LHandler* context)
{
    uint32_t columns, rows;
    GetSize(table, columns, rows);
    InsertRow(table, context, rows, nullptr);
}

void CParamTable::InsertColumn(LObject* table, LHandler* context, uint32_t column, LObjSource* cells)
{
    if (!IsTable(table))
        return;
    TrimCells(table);
    uint32_t columns, rows;
    GetSize(table, columns, rows);
    column = std::min(column, columns);
    auto compound = CUndoStrm::BeginCompound(context, LStringRef());
    BeginEdit(table, context, S::kColumnEdit, column, S::kEditA);
    for (uint32_t r = 0; r < rows; r++)
        (void)LObject::InsertChild(table, context, S::kCells, column + r * (columns + 1), NextCell(cells));
    LObject::SetUInt(table, context, S::kCols, columns + 1, Merge::No);
    EndEdit(table, context, column, S::kEditA, S::kEditB);
}

void CParamTable::AppendColumn(LObject* table, LHandler* context)
{
    uint32_t columns, rows;
    GetSize(table, columns, rows);
    InsertColumn(table, context, columns, nullptr);
}

void CParamTable::DeleteRow(LObject* table, LHandler* context, uint32_t row)
{
    if (!IsTable(table))
        return;
    TrimCells(table);
    uint32_t columns, rows;
    GetSize(table, columns, rows);
    if (columns == 0 || row >= rows)
        return;
    auto compound = CUndoStrm::BeginCompound(context, LStringRef());
    BeginEdit(table, context, S::kRowEdit, row, S::kEditB);
    for (uint32_t c = columns; c-- > 0;)
        LObject::DeleteChildAt(table, context, S::kCells, row * columns + c);
    EndEdit(table, context, row, S::kEditB, S::kEditA);
}

LObject* CParamTable::Cell(const LObject* table, uint32_t column, uint32_t row)
{
    if (!IsTable(table))
        return nullptr;
    const uint64_t columns = table->GetUInt(S::kCols);
    const uint64_t count = table->GetArrayCount(S::kCells);
    if (column >= columns || (uint64_t(row) + 1) * columns > count)
        return nullptr;
    return table->GetChild(S::kCells, uint32_t(uint64_t(row) * columns + column));
}

bool CParamTable::FindInCell(const LObject* table, uint32_t column, uint32_t row, const char* name,
                             LStringRef* value)
{
    return CParamSet::Find(Cell(table, column, row), name, value) >= 0;
}

void CParamTable::SetCellValue(LObject* table, LHandler* context, uint32_t column, uint32_t row,
                               const char* name, const LStringRef& value)
{
    if (LObject* cell = Cell(table, column, row))
        CParamSet::SetValue(cell, context, name, value);
}

int CParamTable::OnChange(LClassOp op, void* argument)
{
    if (op != LClassOp::Change)
        return 0;
    const auto& notice = *static_cast<LObjChange*>(argument);
    if (notice.operation != LObjOp::Changed || notice.field != S::kCols)
        return 0;
    LObject* table = notice.record;
    const uint32_t columns = table->GetUInt(S::kCols);
    LFieldSlot& applied = table->GetFieldSlot(S::kAppliedCols);
    if (table->GetByte(S::kEditKind) != S::kNoEdit) {
        applied.SetBits(columns);  // a table edit announces itself through its own fields
        return 1;
    }
    // Step by step, so that at each notice the field holds the column added or removed.
    LObjRoot* holder = table->GetRootHolder();
    while (applied.UInt() < columns) {
        LObject::NotifyFieldChanged(table, nullptr, holder, S::kAppliedCols, 0);
        applied.SetBits(applied.UInt() + 1);
    }
    while (applied.UInt() > columns) {
        applied.SetBits(applied.UInt() - 1);
        LObject::NotifyFieldChanged(table, nullptr, holder, S::kAppliedCols, 0);
    }
    return 1;
}
