#include "outputs/editor/CFaderList.h"
#include "analysis/records/CFaderSetRecord.h"
#include "analysis/records/SnxFields.h"
#include "controls/CColor.h"
#include "controls/lists/CCellIter.h"
#include "foundation/records/CParamSet.h"
#include "outputs/defs/CDefTree.h"
#include "outputs/defs/DefinitionFiles.h"
#include "outputs/editor/CFaderCell.h"
#include "platform/files/FileSystem.h"
#include "ui/panes/LPaneContext.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr uint32_t kSelectionMulti = 3;
constexpr int32_t kBackgroundColourId = 1;
constexpr uint32_t kSoundItemsLimit = 1000;
constexpr const char* kSoundParam = "snd";
constexpr const char* kNoSound = " - ";
constexpr float kMaxBandKHz = 1000.0f;

// Percent of a 0..1 value, half away from zero.
double Percent(float value)
{
    const double x = double(value) * 100.0;
    return std::trunc(x + std::copysign(0.49999999999999994, x));
}

} // namespace

CFaderList::CFaderList(LPane* parent, CFaderSetRecord& document)
    : LCellGrid(parent, kSelectionMulti, false, false), fDocument(document),
      fDrag(this, CListDragDropHelper::kByRows, 0)
{
    CColorRef background;
    CColor::AssignById(background, kBackgroundColourId);
    SetBackground(background);
    // A person tabs along a row's fields and on into the next row, and into the list from the
    // window's other controls.
    SetTabThroughCells(true);
    LoadDefinitions();
    SizeCells();
    ScanSounds();
    InsertColumns(0, 1);
    SyncRows();
    fObserving = fDocument.AddObserver(this, &OnModelChange);
}

CFaderList::~CFaderList()
{
    if (fObserving)
        fDocument.RemoveObserver(this, &OnModelChange);
    // The cells' panels show the definitions: they let go of them while the list lives.
    ReleaseCells();
    if (auto* prototype = dynamic_cast<CFaderCell*>(PrototypeCell()))
        prototype->Panel().SetList(nullptr);
}

void CFaderList::LoadDefinitions()
{
    for (uint32_t kind = 1; kind < kOutputKinds; ++kind) {
        CDefTree tree;
        if (!LoadFaderKindDefs(kind, tree))
            continue;
        auto list = std::make_unique<CCtlDefList>();
        list->Load(FindControlsNode(tree), CCtlDefList::Layout::Row);
        fDefinitions[kind] = std::move(list);
    }
}

// Every row is as large as the cell of the largest output kind.
void CFaderList::SizeCells()
{
    auto* prototype = dynamic_cast<CFaderCell*>(PrototypeCell());
    if (!prototype)
        return;
    int32_t width = 1;
    int32_t height = 1;
    for (const auto& definitions : fDefinitions) {
        prototype->Panel().SetList(definitions.get());
        const CLRect size = prototype->LayoutSize();
        width = std::max(width, int32_t(size.Width()));
        height = std::max(height, int32_t(size.Height()));
    }
    prototype->Panel().SetList(nullptr);
    SetCellSize(width, height);
}

void CFaderList::ScanSounds()
{
    fSoundsFolder = SharedSupportPath("sounds");
    fSounds.clear();
    std::vector<std::string> names;
    if (fSoundsFolder.empty() || plat::ListFolder(fSoundsFolder, names) != plat::FileResult::Ok)
        return;
    for (const std::string& name : names) {
        plat::ItemInfo info;
        if (fSounds.size() >= kSoundItemsLimit)
            break;
        if (plat::ReadItemInfo(fSoundsFolder + "/" + name, info) == plat::FileResult::Ok && !info.hidden &&
            !info.isFolder)
            fSounds.push_back(name);
    }
}

const CCtlDefList* CFaderList::Definitions(uint32_t kind) const
{
    return kind < kOutputKinds ? fDefinitions[kind].get() : nullptr;
}

uint16_t CFaderList::StoredLevel(int32_t row) const
{
    return row >= 0 && size_t(row) < fLevels.size() ? fLevels[size_t(row)] : 0;
}

float CFaderList::Scale() const
{
    const LObject* root = fDocument.Root();
    const float scale = root ? root->GetFloat(kFdrsScale) : 1.0f;
    return std::isfinite(scale) && scale > 0.0f ? scale : 1.0f;
}

std::unique_ptr<LPane> CFaderList::CreateCell()
{
    return std::make_unique<CFaderCell>(this);
}

void CFaderList::ConfigureCell(LPane& pane)
{
    LCellGrid::ConfigureCell(pane);
    auto& cell = static_cast<CFaderCell&>(pane);
    const LObject* root = fDocument.Root();
    const uint32_t decimals = std::min<uint32_t>(root ? root->GetUInt(kFdrsDecimals) : 0, 6);
    const float step = float(std::pow(10.0, -double(decimals)));
    for (CNumVol* band : {&cell.BandLow(), &cell.BandHigh()}) {
        band->SetRange(0.0f, Scale() * kMaxBandKHz, step);
        band->SetDecimals(decimals);
    }
}

bool CFaderList::FillCell(LPane& pane, const CLPoint& at)
{
    const LObject* fader = at.x == 0 && at.y < Rows() ? fDocument.Fader(at.y) : nullptr;
    if (!fader)
        return false;
    auto& cell = static_cast<CFaderCell&>(pane);
    const float scale = Scale();
    cell.Name().SetText(fader->GetString(kFadrName));
    cell.Channel().SetValue(double(fader->GetByte(kFadrSchn)) + 1.0);
    cell.BandLow().SetValue(double(fader->GetFloat(kFadrFrql)) * scale);
    cell.BandHigh().SetValue(double(fader->GetFloat(kFadrFrqh)) * scale);
    cell.InputLow().SetValue(Percent(fader->GetFloat(kFadrAmpl)));
    cell.InputHigh().SetValue(Percent(fader->GetFloat(kFadrAmph)));
    cell.OutputLow().SetValue(Percent(fader->GetFloat(kFadrFdrl)));
    cell.OutputHigh().SetValue(Percent(fader->GetFloat(kFadrFdrh)));
    (void)cell.OutputKind().SetSelection(fader->GetByte(kFadrFtyp));
    ShowBandBySourceType(cell, *fader);
    cell.Meter().SetLevel(StoredLevel(at.y));
    ShowSound(cell, *fader);
    return true;
}

void CFaderList::ShowBandBySourceType(CFaderCell& cell, const LObject& fader)
{
    const uint8_t type = fader.GetByte(kFadrStyp);
    const int32_t event = type == kTimeDomainSource ? kEventHide : kEventShow;
    for (LPane* pane : {static_cast<LPane*>(&cell.BandLow()), static_cast<LPane*>(&cell.BandDash()),
                        static_cast<LPane*>(&cell.BandHigh())})
        pane->SetState(event);
    cell.SetSourceType(type);
}

void CFaderList::ShowSound(CFaderCell& cell, const LObject& fader)
{
    CCtlPanel& panel = cell.Panel();
    if (panel.SetList(Definitions(fader.GetByte(kFadrFtyp)))) {
        panel.FillHeader(cell.Captions());
        if (cell.Captions().ItemCount() == 0)
            cell.Captions().AddItem(LStringRef(" "), LFont());
        // The row places the panel for the output kind's controls, which places them in turn.
        cell.Relayout();
    }
    const LObject* params = fader.GetChild(kFadrCprm);
    const CCtlDefList* list = panel.List();
    for (uint32_t i = 0; list && fader.GetByte(kFadrFtyp) == kSoundKind && i < list->Count(); ++i) {
        auto* popup = list->Id(i).View() == kSoundParam ? dynamic_cast<LPopupList*>(panel.Control(i)) : nullptr;
        if (!popup)
            continue;
        popup->RemoveAllItems();
        popup->AddItem(kNoSound);
        for (const std::string& name : fSounds)
            popup->AddItem(name);
        LStringRef current;
        if (params && CParamSet::Find(params, kSoundParam, &current) >= 0 && !current.IsEmpty() &&
            popup->FindItem(std::string(current.View())) < 0) {
            popup->InsertItem("", 0);
            popup->InsertItem(std::string(current.View()), 0);
        }
    }
    panel.SetValues(params, 0);
}

void CFaderList::UpdateSelectionInfo()
{
    int32_t current = -1;
    const LRegion& selection = Selection();
    if (IsSingleCellRegion(selection)) {
        current = selection.GetBounds().top;
    } else if (selection.IsEmpty()) {
        CLPoint focus;
        if (FocusCell(focus))
            current = focus.y;
    }
    fDocument.SetCurrentFader(current);
}

void CFaderList::AddFader()
{
    EnterTypedText();
    const int32_t row = fDocument.AppendFader(this);
    if (row < 0)
        return;
    SelectCell({0, row});
    ScrollIntoView({0, row});
    // Rows are drawn from the prototype until the pointer passes over them; the new row gets
    // its own pane at once, so its fields take a click or Tab wherever the pointer is.
    (void)CCellIter(*this, {0, row}, false);
}

void CFaderList::StateChanged(int32_t event)
{
    LCellGrid::StateChanged(event);
    // The grid measured its prototype row alone; every output kind's row must fit.
    if (event == kEventPrefsChanged)
        SizeCells();
    if (event == kEventFocus || event == kEventUnfocus)
        UpdateSelectionInfo();
}

int32_t CFaderList::PrefWidth(LPaneContext*, int32_t)
{
    return CellWidth();
}

int32_t CFaderList::PrefHeight(LPaneContext*, int32_t)
{
    return CellHeight();
}

void CFaderList::DrawSelf(LPortState& port) const
{
    LCellGrid::DrawSelf(port);
    fDrag.DrawIndicator(port);
}

void CFaderList::SelectionChanged(const LRegion& changed, const LRegion& old)
{
    LCellGrid::SelectionChanged(changed, old);
    UpdateSelectionInfo();
}

void CFaderList::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (HandleCellMessage(result, msg))
        return;
    const auto* pane = dynamic_cast<const LPane*>(msg.subject);
    if (pane && pane != this && FindCell(pane)) {
        LCellGrid::HandleMessage(result, msg);
        return;
    }
    HandleDragMessage(result, msg);
}
