#include "outputs/editor/CFaderCell.h"
#include "controls/text/CTextDrawer.h"
#include "foundation/core/StrEqual.h"
#include "foundation/text/LStrList.h"
#include "shell/draw/CDrawContext.h"
#include "shell/draw/LFontData.h"
#include "shell/windows/CDroppedFiles.h"
#include "shell/windows/LDrop.h"
#include "ui/layout/LFormulaLayout.h"
#include "ui/panes/LPaneContext.h"

const char* const CFaderCell::kResName = "SNXDRCELL";

namespace {

constexpr uint32_t kNoStyle = 0;
constexpr uint32_t kNoOptions = 0;
constexpr uint32_t kWholeNumbers = 0;
constexpr uint32_t kCentred = 1;
constexpr uint8_t kDropRing = 1;
constexpr int32_t kLevelMaximum = 256;
constexpr uint32_t kSourceTypeFirst = 0;
constexpr uint32_t kSourceTypeCount = 5;
constexpr uint32_t kOutputKindFirst = 5;
constexpr uint32_t kOutputKindCount = 10;
// The parameter panel spaces its controls wider and its rows closer than its default.
constexpr float kPanelHSpacing = 1.5f;
constexpr float kPanelVSpacing = 0.3f;

LStdCtlDesc PopupDesc()
{
    LStdCtlDesc desc;
    desc.InitNew(0, LFont(LFontData::kSmallSystemFont));
    return desc;
}

void FillPopup(LPopupList& popup, uint32_t first, uint32_t count)
{
    LStrList texts({0, CFaderCell::kResName}, nullptr, kStrListDialogTexts);
    for (uint32_t i = 0; i < count; ++i)
        popup.AddItem(std::string(texts.GetItem(first + i).View()));
}

void SetUpDash(LCaptionPane& dash)
{
    dash.SetFont(LFont(LFontData::kFixedPitchFont));
    dash.SetAlignment(int32_t(kCentred));
    dash.SetText(LStringRef("-"));
}

int32_t Middle(const CLRect& left, const CLRect& right)
{
    return int32_t((int64_t(left.left) + right.right) / 2);
}

} // namespace

CFaderCell::CFaderCell(LPane* grid)
    : LCellFrame(grid), fName(this, LEditText::kSingleLine, kNoStyle), fChannel(this, kWholeNumbers, kNoStyle),
      fSourceType(this, PopupDesc(), kNoOptions), fBandLow(this, kWholeNumbers, kNoStyle),
      fBandDash(this, this, CTextDrawer::kModeLine), fBandHigh(this, kWholeNumbers, kNoStyle),
      fInputLow(this, kWholeNumbers, kNoStyle), fInputDash(this, this, CTextDrawer::kModeLine),
      fInputHigh(this, kWholeNumbers, kNoStyle), fOutputLow(this, kWholeNumbers, kNoStyle),
      fOutputDash(this, this, CTextDrawer::kModeLine), fOutputHigh(this, kWholeNumbers, kNoStyle),
      fOutputKind(this, PopupDesc(), kNoOptions), fMeter(this), fOutline(this, this),
      fCaptions(this, kCentred, false, false), fSoundDrop(this, kDropRing), fPanel(this, this),
      fSeparator(this, this)
{
    fName.SetFont(LFont(LFontData::kSmallSystemFont));
    fChannel.SetRange(1, 4, 1);
    for (CNumVol* band : {&fBandLow, &fBandHigh})
        band->SetRange(0, 1000, 1);
    for (CNumVol* percent : {&fInputLow, &fInputHigh, &fOutputLow, &fOutputHigh})
        percent->SetRange(0, 100, 1);
    for (CNumVol* field : {&fChannel, &fBandLow, &fBandHigh, &fInputLow, &fInputHigh, &fOutputLow, &fOutputHigh})
        field->SetFont(LFont(LFontData::kSmallSystemFont));
    FillPopup(fSourceType, kSourceTypeFirst, kSourceTypeCount);
    FillPopup(fOutputKind, kOutputKindFirst, kOutputKindCount);
    for (LCaptionPane* dash : {&fBandDash, &fInputDash, &fOutputDash})
        SetUpDash(*dash);
    fMeter.SetMax(kLevelMaximum);
    fCaptions.AddItem(LStringRef(" "), LFont(LFontData::kSmallSystemFont));
    fPanel.SetSpacing(kPanelHSpacing, kPanelVSpacing);
    LStrListRef layout;
    LStrListRef::Create(layout, {0, kResName}, nullptr, kStrListLayouts);
    SetLayout(layout, kFormulaLayout);
}

CLRect CFaderCell::LayoutSize()
{
    return {0, 0, PrefWidth(nullptr, 0), PrefHeight(nullptr, 0)};
}

std::array<int32_t, CFaderCell::kColumns> CFaderCell::ColumnCentres() const
{
    const auto centre = [](const LPane& pane) { return Middle(pane.Rect(), pane.Rect()); };
    return {centre(fName), centre(fChannel), Middle(fBandLow.Rect(), fBandHigh.Rect()),
            Middle(fInputLow.Rect(), fInputHigh.Rect()), Middle(fOutputLow.Rect(), fOutputHigh.Rect()),
            centre(fOutputKind)};
}

bool CFaderCell::IsOverSoundDrop(const LDrop& drag) const
{
    // A hidden drop pane would hand the message back up to the cell.
    if (!fSoundDrop.IsEnabledAndShown())
        return false;
    const CLPoint inWindow = CDrawContext::Measure(drag.Window()).GlobalToLocal(drag.DragPoint());
    const LPaneContext context = LPaneContext::FromPane(fSoundDrop);
    return fSoundDrop.Rect().Contains({inWindow.x - context.originX, inWindow.y - context.originY});
}

void CFaderCell::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (StrEqual(msg.type, LDrop::msgSense)) {
        auto* drag = dynamic_cast<LDrop*>(msg.subject);
        if (drag && CDroppedFiles(drag).HasFiles() && IsOverSoundDrop(*drag)) {
            LMessage::Send(LMessage(LDrop::msgSense, drag, &fSoundDrop));
            LMessage::Clear(result);
            return;
        }
    }
    LCellFrame::HandleMessage(result, msg);
}
