#pragma once
#include "foundation/core/LStringRef.h"
#include "foundation/records/LClassDesc.h"

#include <cstdint>

class LHandler;
class LObject;
class LObjSource;

// Operations on a table of parameter sets: a 'YUND'/'PRMT' record whose cells are 'PRMS'
// records row by row (cell (c, r) is element r x cols + c). Each table edit is one undo step
// and is announced through the memory-only fields: an insertion moves counter A first and B
// after, a deletion B first and A after; the kind and the row or column are readable while
// the edit is in progress.
class CParamTable {
public:
    static void GetSize(const LObject* table, uint32_t& columns, uint32_t& rows);
    // Inserts a row at `row` (clamped) with cells taken from `cells` (null: empty cells).
    static void InsertRow(LObject* table, LHandler* context, uint32_t row, LObjSource* cells);
    static void AppendRow(LObject* table, LHandler* context);
    static void InsertColumn(LObject* table, LHandler* context, uint32_t column, LObjSource* cells);
    static void AppendColumn(LObject* table, LHandler* context);
    static void DeleteRow(LObject* table, LHandler* context, uint32_t row);
    // False when the cell is out of range or has no such parameter.
    static bool FindInCell(const LObject* table, uint32_t column, uint32_t row, const char* name, LStringRef* value);
    // Ignored when the cell is out of range.
    static void SetCellValue(LObject* table, LHandler* context, uint32_t column, uint32_t row, const char* name,
                             const LStringRef& value);
    // Deletes the cells of an incomplete last row, without undo.
    static void TrimCells(LObject* table);

    // Class callback: keeps the applied column count in step with 'cols' and hides the
    // change of 'cols' itself from observers.
    static int OnChange(LClassOp op, void* argument);

private:
    static LObject* Cell(const LObject* table, uint32_t column, uint32_t row);
};
