#include "outputs/consoles/CMIDIConsoleList.h"

#include "controls/headers/CRowHeader.h"
#include "foundation/records/CParamSchema.h"
#include "foundation/records/CParamTable.h"
#include "foundation/records/LObjChange.h"
#include "foundation/records/LObjRoot.h"
#include "outputs/consoles/CMIDICONSOLECELL.h"
#include "outputs/consoles/ConsoleParts.h"
#include "outputs/defs/CCtlDefList.h"
#include "ui/panes/LPaneContext.h"

#include <string>

namespace {

using S = CParamSchema;

bool IsParamRecord(const LObject* record)
{
    return record && (record->Is(S::kCreator, S::kSetClass) || record->Is(S::kCreator, S::kParamClass));
}

} // namespace

CMIDIConsoleList::CMIDIConsoleList(LPane* parent, LObjRoot* holder, LObject* table)
    : LCellGrid(parent, 0, false, false), fHolder(holder), fTable(table)
{
    SetUpConsoleGrid(*this, kChannels);
    if (fHolder)
        fObserving = fHolder->AddObserver(this, &OnRecordChange);
}

CMIDIConsoleList::~CMIDIConsoleList()
{
    if (fObserving)
        fHolder->RemoveObserver(this, &OnRecordChange);
    // The cells' controls were made from the definitions: they go while the list still lives.
    const std::unique_ptr<CCtlDefList> definitions = std::move(fDefinitions);
    ReconfigureCells();
}

void CMIDIConsoleList::SetRowHeader(CRowHeader* header)
{
    fRowHeader = header;
    FillRowHeader();
}

void CMIDIConsoleList::SetDefinitions(const CDefNode* controls)
{
    auto definitions = std::make_unique<CCtlDefList>();
    definitions->Load(controls, CCtlDefList::Layout::Column);
    fDefinitions.swap(definitions);
    ReconfigureCells();
    definitions.reset();  // the previous list, now that no cell shows it
    LPaneContext context = LPaneContext::FromPane(*this);
    SetCellSize(PrototypeCell() ? PrototypeCell()->PrefWidth(&context, 0) : CellWidth(),
                std::max<int32_t>(1, int32_t(Rect().Height())));
    UpdateAllCells();
    FillRowHeader();
}

std::unique_ptr<LPane> CMIDIConsoleList::CreateCell()
{
    return std::make_unique<CMIDICONSOLECELL>(this);
}

void CMIDIConsoleList::ConfigureCell(LPane& pane)
{
    LCellGrid::ConfigureCell(pane);
    auto& cell = static_cast<CMIDICONSOLECELL&>(pane);
    if (cell.Panel().SetList(fDefinitions.get()))
        cell.Relayout();
}

bool CMIDIConsoleList::FillCell(LPane& pane, const CLPoint& cell)
{
    if (cell.y != 0 || cell.x < 0 || cell.x >= Columns())
        return false;
    uint32_t columns = 0, rows = 0;
    CParamTable::GetSize(fTable, columns, rows);
    const LObject* set =
        uint32_t(cell.x) < columns && rows > 0 ? fTable->GetChild(S::kCells, uint32_t(cell.x)) : nullptr;
    static_cast<CMIDICONSOLECELL&>(pane).Panel().SetValues(set, cell.x);
    return true;
}

void CMIDIConsoleList::RectChanged(const CLRect& old)
{
    LCellGrid::RectChanged(old);
    FitCellHeight();
    FillRowHeader();
}

void CMIDIConsoleList::FitCellHeight()
{
    const int32_t height = std::max<int32_t>(1, int32_t(Rect().Height()));
    if (CellHeight() != height)
        SetCellSize(CellWidth(), height);
}

void CMIDIConsoleList::FillRowHeader()
{
    if (!fRowHeader)
        return;
    if (auto* prototype = dynamic_cast<CMIDICONSOLECELL*>(PrototypeCell()))
        prototype->Panel().FillHeader(*fRowHeader);
}

bool CMIDIConsoleList::CellOfControl(const LMessage& msg, CLPoint& cell) const
{
    const auto* control = dynamic_cast<const LPane*>(msg.subject);
    auto* bound = dynamic_cast<CMIDICONSOLECELL*>(control ? FindCell(control, &cell) : nullptr);
    if (!bound || control == bound || control == &bound->Panel())
        return false;
    for (const LPane* pane = control; pane; pane = pane->Host())
        if (pane == &bound->Panel())
            return true;
    return false;
}

// The table holds at least one row of 16 channels before a value goes in. The growth is not
// recorded for undo: taking back the first edit leaves the empty sets in place. Cells are not
// refreshed meanwhile, so the control being read still holds what the user set.
void CMIDIConsoleList::GrowTable()
{
    fGrowing = true;
    uint32_t columns = 0, rows = 0;
    CParamTable::GetSize(fTable, columns, rows);
    for (; columns < uint32_t(kChannels); ++columns)
        CParamTable::AppendColumn(fTable, nullptr);
    CParamTable::GetSize(fTable, columns, rows);
    if (rows == 0)
        CParamTable::AppendRow(fTable, nullptr);
    fGrowing = false;
}

void CMIDIConsoleList::HandleMessage(LMessage& result, const LMessage& msg)
{
    CLPoint cell;
    if (fTable && CellOfControl(msg, cell)) {
        GrowTable();
        auto* bound = static_cast<CMIDICONSOLECELL*>(FindCell(static_cast<const LPane*>(msg.subject)));
        LStringRef id;
        LStringRef text;
        if (bound->Panel().TranslateMessage(msg, id, text))
            CParamTable::SetCellValue(fTable, this, uint32_t(cell.x), 0, std::string(id.View()).c_str(), text);
    }
    LCellGrid::HandleMessage(result, msg);
}

int32_t CMIDIConsoleList::ColumnOf(const LObject* record) const
{
    if (!fTable || !IsParamRecord(record))
        return -1;
    // Climb through nested sets and parameters to the cell directly under the table.
    while (record && record->Parent() != fTable) {
        record = record->Parent();
        if (!IsParamRecord(record))
            return -1;
    }
    const uint32_t columns = fTable->GetUInt(S::kCols);
    const int32_t place = record ? record->IndexInParent() : -1;
    if (place < 0 || columns == 0 || record->PlaceField() != S::kCells)
        return -1;
    return int32_t(uint32_t(place) % columns);
}

void CMIDIConsoleList::OnRecordChange(void* context, LObjChange& notice)
{
    static_cast<CMIDIConsoleList*>(context)->RecordChanged(notice);
}

// A cell already shows its own edits and an empty set looks like no set at all: refreshing
// then would only overwrite what the user is typing.
void CMIDIConsoleList::RecordChanged(const LObjChange& notice)
{
    if (fGrowing || notice.context == this)
        return;
    const int32_t column = ColumnOf(notice.record);
    if (column >= 0 && column < Columns())
        UpdateCell({column, 0});
}
