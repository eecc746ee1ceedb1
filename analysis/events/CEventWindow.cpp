#include "analysis/events/CEventWindow.h"
#include "analysis/records/SnxFields.h"
#include "controls/CColor.h"
#include "foundation/core/StrEqual.h"
#include "foundation/records/LObject.h"
#include "foundation/text/LStrList.h"
#include "shell/draw/LFontData.h"
#include "shell/windows/CPanelWindowKind.h"
#include "ui/frames/LWindowPlacer.h"
#include "ui/windows/LWindowDef.h"

const char* const CEventWindow::kResName = "EVTXWIN";

namespace {

constexpr uint32_t kPanelKind = 4;
constexpr int32_t kBackgroundColourId = 1;
enum TextItem : uint32_t { kWindowTitle = 0, kAddTitle = 1, kDeleteTitle = 2, kCheckTitle = 3 };

LStdCtlDesc ControlDesc()
{
    LStdCtlDesc desc;
    desc.InitNew(0, LFont(LFontData::kSmallSystemFont));
    return desc;
}

} // namespace

LWindowDef CEventWindow::PanelDef()
{
    LRef kind(new CPanelWindowKind(kPanelKind, 0));
    return LWindowDef(LWindowDef::kLayerFloating, static_cast<const CNativeWindowKind*>(kind.Get()));
}

CEventWindow::CEventWindow(LHandler* parent, const LWindowDef& def, LObjRoot* holder, LObject* windowRecord)
    : LFrame(parent, nullptr, def), fWindowRecord(windowRecord), fAdd(this, ControlDesc(), 0),
      fDelete(this, ControlDesc(), 0), fTimed(this, ControlDesc()), fNavi(this, LListNavi::kVerticalBar, false),
      fList(&fNavi, holder, windowRecord)
{
    CColorRef background;
    CColor::AssignById(background, kBackgroundColourId);
    SetBackground(background);
    fNavi.SetList(&fList);
    LStrList texts({0, kResName}, nullptr, kStrListDialogTexts);
    if (Window())
        SetTitle(texts.GetItem(kWindowTitle));
    fAdd.SetTitle(std::string(texts.GetItem(kAddTitle).View()));
    fDelete.SetTitle(std::string(texts.GetItem(kDeleteTitle).View()));
    fTimed.SetTitle(std::string(texts.GetItem(kCheckTitle).View()));
    LStrListRef layout;
    LStrListRef::Create(layout, {0, kResName}, nullptr, kStrListLayouts);
    SetLayout(layout, kFormulaLayout);
    FitWindowToLayout();
    fTimed.SetChecked(fWindowRecord && fWindowRecord->GetByte(kWindEvtr));
    UpdateDeleteButton();
    const CLRect saved = fWindowRecord ? fWindowRecord->GetRect(kWindEvwp) : CLRect{};
    if (saved.left < saved.right && saved.top < saved.bottom)
        PlaceAt(saved);
}

CEventWindow::~CEventWindow() = default;

void CEventWindow::UpdateDeleteButton()
{
    fDelete.SetState(fList.Selection().IsEmpty() ? kEventDisable : kEventEnable);
}

void CEventWindow::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (msg.subject == &fAdd && StrEqual(msg.type, LStdCtl::msgSelected)) {
        fList.AddEvent();
    } else if (msg.subject == &fDelete && StrEqual(msg.type, LStdCtl::msgSelected)) {
        fList.DeleteSelection();
    } else if (msg.subject == &fTimed && StrEqual(msg.type, LStdCheck::msgChange)) {
        LObject::SetByte(fWindowRecord, nullptr, kWindEvtr, fTimed.IsChecked() ? 1 : 0, LObject::Merge::No);
    } else if (msg.subject == &fList && StrEqual(msg.type, LListPane::msgSelChange)) {
        UpdateDeleteButton();
    } else if (StrEqual(msg.type, LWindowPlacer::msgGrow) && dynamic_cast<LWindowPlacer*>(msg.subject)) {
        auto* placer = static_cast<LWindowPlacer*>(msg.subject);
        placer->SetLimits(PrefWidth(nullptr, 0), PrefHeight(nullptr, 0), placer->maxWidth, placer->maxHeight);
    } else {
        LFrame::HandleMessage(result, msg);
        return;
    }
    LMessage::Clear(result);
}
