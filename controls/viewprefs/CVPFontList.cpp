#include "controls/viewprefs/CVPFontList.h"
#include "controls/CViewPrefs.h"
#include "controls/panels/MMachFontPanel.h"
#include "controls/viewprefs/CVPFontCell.h"
#include "foundation/core/StrEqual.h"
#include "foundation/text/LStrList.h"
#include "platform/window/FontPanel.h"
#include "shell/draw/LFont.h"
#include "shell/windows/CDesktop.h"
#include "ui/panes/LPaneContext.h"
#include "ui/panes/LPaneFlags.h"

const char* const CVPFontList::kResName = "CVPFONTLIST";

namespace {

constexpr int32_t kModalLayer = 3;
constexpr float kDefaultSize = 12.0f;

} // namespace

CVPFontList::CVPFontList(LPane* parent) : LCellGrid(parent, 0, false, true)
{
    InsertColumns(0, 1);
    InsertRows(0, kFontIds);
    LPaneContext context = LPaneContext::FromPane(*this);
    if (LPane* prototype = PrototypeCell())
        SetCellSize(prototype->PrefWidth(&context, 0), prototype->PrefHeight(&context, 0));
}

CVPFontList::~CVPFontList()
{
    DropPanelLink();
}

std::unique_ptr<LPane> CVPFontList::CreateCell()
{
    return std::make_unique<CVPFontCell>(this);
}

bool CVPFontList::FillCell(LPane& pane, const CLPoint& cell)
{
    if (cell.x != 0 || cell.y < 0 || cell.y >= kFontIds)
        return false;
    auto& row = static_cast<CVPFontCell&>(pane);
    LStrList names({0, kResName}, nullptr, kStrListDialogTexts);
    (void)row.Name().SetText(names.GetItem(uint32_t(cell.y)));
    CViewPrefs::FontSpec font;
    (void)row.FontSlot().SetText(CViewPrefs::Shared().GetFont(uint32_t(cell.y), font) ? font.family : LStringRef());
    return true;
}

int32_t CVPFontList::FocusedRow() const
{
    CLPoint cell;
    return FocusCell(cell) ? cell.y : -1;
}

void CVPFontList::SetRowFont(int32_t row, const LStringRef& family, float size)
{
    if (row < 0 || row >= kFontIds)
        return;
    CViewPrefs::FontSpec font;
    font.family = family;
    font.size = size;
    const bool focused = FocusedRow() == row;
    // A change of fonts rebuilds the grid's cells, which lets go of the focus cell: the row
    // takes it back, so that the font panel goes on serving it.
    CViewPrefs::Shared().SetFont(uint32_t(row), font);
    UpdateCell(CLPoint{0, row});
    if (focused)
        FocusRow(row);
}

void CVPFontList::FocusRow(int32_t row)
{
    CLPoint cell;
    auto* pane = static_cast<CVPFontCell*>(FocusCell(cell) && cell.y == row ? FocusSlot().pane.get() : nullptr);
    if (!pane) {
        const CLRect r = CellRect(CLPoint{0, row});
        pane = dynamic_cast<CVPFontCell*>(FindCell(HitTest(CLPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2})));
    }
    if (pane)
        LMessage::Send(LMessage(LPane::msgReqFocus, &pane->FontSlot(), pane));
}

void CVPFontList::ShowFontPanel(bool fromFocus)
{
    const int32_t row = FocusedRow();
    if (!HasFlags(kPaneFocused | kPaneKeyWindow) || row < 0)
        return;
    CViewPrefs::FontSpec font;
    CFontRecord record;
    if (CViewPrefs::Shared().GetFont(uint32_t(row), font)) {
        record.family = font.family;
        record.size = font.size;
    } else {
        // The font the view would use anyway.
        LFont font{uint32_t(row)};
        record.family = font.GetFamilyName();
        record.size = font.Get() ? float(font.GetPointSize()) : kDefaultSize;
    }
    (void)fromFocus;
    (void)RunFontPanel(false, record, this, &FontPicked, nullptr, kFontAttrSize | kFontAttrStyle);
}

bool CVPFontList::PanelLinked() const
{
    return FontPanelLinked(const_cast<CVPFontList*>(this), &FontPicked);
}

void CVPFontList::DropPanelLink()
{
    CloseFontPanel(this, &FontPicked);
}

void CVPFontList::FontPicked(void* argument, const CFontRecord& font, int32_t)
{
    auto* list = static_cast<CVPFontList*>(argument);
    if (CDesktop::FindWindowOfLayer(kModalLayer))
        return;
    const int32_t row = list->FocusedRow();
    if (row < 0)
        return;
    list->SetRowFont(row, font.family, font.size);
}

bool CVPFontList::IsSlotOfCell(const LHandler* subject) const
{
    auto* slot = dynamic_cast<const CTextSlot*>(subject);
    return slot && FindCell(slot) != nullptr;
}

void CVPFontList::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (IsSlotOfCell(msg.subject)) {
        if (StrEqual(msg.type, CTextSlot::msgClick)) {
            ShowFontPanel(false);
            LMessage::Clear(result);
            return;
        }
        if (StrEqual(msg.type, CTextSlot::msgChanged)) {
            auto* slot = static_cast<CTextSlot*>(msg.subject);
            CLPoint cell;
            // An emptied slot: the user deleted the family, so the view takes its own font again.
            if (slot->Text().IsEmpty() && FindCell(slot, &cell))
                SetRowFont(cell.y, LStringRef(), 0.0f);
            LMessage::Clear(result);
            return;
        }
    }
    LCellGrid::HandleMessage(result, msg);
}

void CVPFontList::StateChanged(int32_t event)
{
    LCellGrid::StateChanged(event);
    if (event != kEventHostHide && event != kEventFocus && event != kEventUnfocus && event != kEventKeyWindow)
        return;
    if (HasFlags(kPaneShown | kPaneHostShown | kPaneFocused)) {
        // The window coming to the front again leaves the panel as the person left it: one
        // they closed stays closed until a row is clicked or focused again.
        if (event != kEventKeyWindow || (PanelLinked() && plat::FontPanel::Shared().IsVisible()))
            ShowFontPanel(true);
    } else {
        DropPanelLink();
    }
}

int32_t CVPFontList::PrefHeight(LPaneContext*, int32_t)
{
    return kFontIds * CellHeight();
}

void CVPFontList::RectChanged(const CLRect& old)
{
    LCellGrid::RectChanged(old);
    SetCellSize(int32_t(Rect().Width()), CellHeight());
}
