// The fader editor follows the document: rows, their values and the live levels.
#include "analysis/records/CFaderSetRecord.h"
#include "analysis/records/CSnxSchema.h"
#include "analysis/records/SnxFields.h"
#include "controls/edit/CEntryEditText.h"
#include "controls/lists/CCellIter.h"
#include "foundation/core/StrEqual.h"
#include "foundation/records/CParamSchema.h"
#include "foundation/records/LObjChange.h"
#include "outputs/editor/CFaderCell.h"
#include "outputs/editor/CFaderList.h"

#include <algorithm>
#include <cmath>

namespace {

uint16_t LevelUnits(float level)
{
    const float scaled = std::isfinite(level) ? std::trunc(level * float(CFaderList::kLevelScale)) : 0.0f;
    return uint16_t(std::clamp(scaled, 0.0f, 65535.0f));
}

// The fader a parameter record belongs to, through its sets and parameters; null when none.
const LObject* OwningFader(const LObject* record)
{
    for (; record; record = record->Parent()) {
        if (record->Is(CSnxSchema::kCreator, CSnxSchema::kFaderClass))
            return record;
        if (!record->Is(CParamSchema::kCreator, CParamSchema::kSetClass) &&
            !record->Is(CParamSchema::kCreator, CParamSchema::kParamClass))
            return nullptr;
    }
    return nullptr;
}

// Shows a level on the meter of whichever pane stands for the row.
class LevelVisit : public CCellIter {
public:
    LevelVisit(LCellGrid& grid, int32_t row, int32_t level) : CCellIter(grid, {0, row}, false), fLevel(level) {}

protected:
    void Visit(LPane& pane) override
    {
        if (auto* cell = dynamic_cast<CFaderCell*>(&pane))
            cell->Meter().SetLevel(fLevel);
    }

private:
    int32_t fLevel;
};

} // namespace

void CFaderList::OnModelChange(void* context, LObjChange& notice)
{
    static_cast<CFaderList*>(context)->ModelChanged(notice);
}

// Rows and levels as many as the faders (at construction and after a whole list was replaced).
void CFaderList::SyncRows()
{
    const int32_t count = fDocument.FaderCount();
    if (Rows() > count)
        DeleteRows(count, Rows() - count);
    else if (Rows() < count)
        InsertRows(Rows(), count - Rows());
    fLevels.resize(size_t(count));
    for (int32_t i = 0; i < count; ++i)
        fLevels[size_t(i)] = LevelUnits(fDocument.Fader(i)->GetFloat(kFadrLevel));
}

void CFaderList::ShowLevel(int32_t row, float level)
{
    if (row < 0 || size_t(row) >= fLevels.size())
        return;
    LevelVisit visit(*this, row, LevelUnits(level));
    if (visit.Run())
        fLevels[size_t(row)] = LevelUnits(level);
}

void CFaderList::FaderChanged(const LObjChange& notice)
{
    const int32_t row = notice.record->IndexInParent();
    if (notice.operation != LObjOp::Changed || row < 0 || row >= Rows())
        return;
    if (notice.field == kFadrLevel)
        ShowLevel(row, notice.record->GetFloat(kFadrLevel));
    else if (notice.field <= kFadrFtyp)
        UpdateCell({0, row});
}

// Every command ends an edit before it changes the faders; a row that leaves while it still
// holds typing (a change that came some other way) takes the typing with it: the text never
// goes to the fader that takes the row's place.
void CFaderList::DropTypedText(int32_t row)
{
    CLPoint focus;
    if (CEntryEditText* field = TypedField(); field && FocusCell(focus) && focus.y == row)
        field->Revert();
}

void CFaderList::ModelChanged(const LObjChange& notice)
{
    const LObject* record = notice.record;
    if (!record)
        return;
    if (record->Is(CParamSchema::kCreator, CParamSchema::kSetClass) ||
        record->Is(CParamSchema::kCreator, CParamSchema::kParamClass)) {
        if (const LObject* fader = OwningFader(record); fader && fader->Parent() == fDocument.Root())
            UpdateCell({0, fader->IndexInParent()});
        return;
    }
    if (record->Is(CSnxSchema::kCreator, CSnxSchema::kFaderClass)) {
        if (record->Parent() == fDocument.Root())
            FaderChanged(notice);
        return;
    }
    if (record != fDocument.Root())
        return;
    if (notice.field == kFdrsScale || notice.field == kFdrsDecimals) {
        ReconfigureCells();
        UpdateAllCells();
        InvalidateCells(LRegion(Rect()));
        return;
    }
    if (notice.field != kFdrsFdrs)
        return;
    const int32_t i = notice.index;
    switch (notice.operation) {
    case LObjOp::Inserted:
        fLevels.insert(fLevels.begin() + std::clamp<ptrdiff_t>(i, 0, ptrdiff_t(fLevels.size())),
                       LevelUnits(fDocument.Fader(i) ? fDocument.Fader(i)->GetFloat(kFadrLevel) : 0.0f));
        InsertRows(i, 1);
        break;
    case LObjOp::Deleted:
        DropTypedText(i);
        if (i >= 0 && size_t(i) < fLevels.size())
            fLevels.erase(fLevels.begin() + i);
        DeleteRows(i, 1);
        break;
    case LObjOp::Moved:
        DropTypedText(i);
        if (i >= 0 && size_t(i) < fLevels.size() && notice.index2 >= 0 && size_t(notice.index2) < fLevels.size()) {
            const uint16_t level = fLevels[size_t(i)];
            fLevels.erase(fLevels.begin() + i);
            fLevels.insert(fLevels.begin() + notice.index2, level);
        }
        DeleteRows(i, 1);
        InsertRows(notice.index2, 1);
        break;
    case LObjOp::Changed:
        SyncRows();
        UpdateAllCells();
        break;
    default:
        break;
    }
}
