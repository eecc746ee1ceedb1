#include "outputs/consoles/CDMXConsoleList.h"

#include "foundation/core/StrEqual.h"
#include "foundation/records/LObjChange.h"
#include "foundation/records/LObjRoot.h"
#include "outputs/consoles/CDMXCONSOLECELL.h"
#include "outputs/consoles/ConsoleParts.h"

#include <algorithm>
#include <string>

CDMXConsoleList::CDMXConsoleList(LPane* parent, LObjRoot* holder, LObject* record, uint8_t field)
    : LCellGrid(parent, 0, false, false), fHolder(holder), fRecord(record), fField(field)
{
    SetUpConsoleGrid(*this, kChannels);
    if (fHolder)
        fObserving = fHolder->AddObserver(this, &OnRecordChange);
}

CDMXConsoleList::~CDMXConsoleList()
{
    if (fObserving)
        fHolder->RemoveObserver(this, &OnRecordChange);
}

std::unique_ptr<LPane> CDMXConsoleList::CreateCell()
{
    return std::make_unique<CDMXCONSOLECELL>(this);
}

uint8_t CDMXConsoleList::Level(int32_t channel) const
{
    if (!fRecord || channel < 0 || uint32_t(channel) >= fRecord->GetArrayCount(fField))
        return 0;
    const auto* bytes = static_cast<const uint8_t*>(fRecord->GetArrayData(fField));
    return bytes ? bytes[channel] : 0;
}

bool CDMXConsoleList::FillCell(LPane& pane, const CLPoint& cell)
{
    if (cell.y != 0 || cell.x < 0 || cell.x >= Columns())
        return false;
    auto& channel = static_cast<CDMXCONSOLECELL&>(pane);
    channel.Caption().SetText(LStringRef(std::to_string(cell.x + 1)));
    channel.Slider().SetValue(Level(cell.x));
    return true;
}

void CDMXConsoleList::RectChanged(const CLRect& old)
{
    LCellGrid::RectChanged(old);
    const int32_t height = std::max<int32_t>(1, int32_t(Rect().Height()));
    if (CellHeight() != height)
        SetCellSize(CellWidth(), height);
}

// A new document's array is empty: it becomes all 512 channels first, outside undo, so that
// taking back the move leaves a full array of zeros rather than a short one.
void CDMXConsoleList::SetLevel(int32_t channel, int32_t value)
{
    const uint8_t zero = 0;
    fGrowing = true;  // the zeros change nothing the sliders show
    LObject::ExtendArray(fRecord, nullptr, fField, &zero, kChannels);
    fGrowing = false;
    if (uint32_t(channel) >= fRecord->GetArrayCount(fField))
        return;
    const uint8_t level = uint8_t(std::clamp(value, 0, 255));
    if (level != Level(channel))
        LObject::SetArrayElement(fRecord, this, fField, uint32_t(channel), &level, LObject::Merge::Yes);
}

void CDMXConsoleList::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (fRecord && StrEqual(msg.type, CSlider::msgChange)) {
        const auto* slider = dynamic_cast<const CSlider*>(msg.subject);
        CLPoint cell;
        auto* bound = dynamic_cast<CDMXCONSOLECELL*>(slider ? FindCell(slider, &cell) : nullptr);
        if (bound && &bound->Slider() == slider) {
            SetLevel(cell.x, slider->GetValue());
            LMessage::Clear(result);
            return;
        }
    }
    LCellGrid::HandleMessage(result, msg);
}

void CDMXConsoleList::OnRecordChange(void* context, LObjChange& notice)
{
    static_cast<CDMXConsoleList*>(context)->RecordChanged(notice);
}

// The slider that made an edit already shows it; everything else (undo, redo, other writers)
// moves the sliders.
void CDMXConsoleList::RecordChanged(const LObjChange& notice)
{
    if (fGrowing || notice.record != fRecord || notice.field != fField || notice.context == this)
        return;
    if (notice.index < 0)
        UpdateAllCells();
    else if (notice.index < Columns())
        UpdateCell({notice.index, 0});
}
