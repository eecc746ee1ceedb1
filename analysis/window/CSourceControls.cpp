#include "analysis/window/CSourceControls.h"
#include "foundation/text/LStrList.h"
#include "shell/draw/LFontData.h"
#include "ui/panes/LPaneFlags.h"

const char* const CSourceControls::kResName = "SRCCTLFRM";

namespace {

constexpr const char* kTextsName = "SNXWIN";
constexpr uint32_t kSourceTitle = 1;
constexpr uint32_t kRecordTitle = 2;
constexpr uint32_t kLiveTitle = 3;
constexpr uint32_t kPlayTitle = 4;
constexpr int32_t kTimeFontPercent = 120;
constexpr int32_t kAlignRight = 2;

LStrListRef Layout()
{
    LStrListRef texts;
    LStrListRef::Create(texts, {0, CSourceControls::kResName}, nullptr, kStrListLayouts);
    return texts;
}

LStdCtlDesc ButtonDesc()
{
    LStdCtlDesc desc;
    desc.InitNew(0, LFont(LFontData::kSmallSystemFont));
    return desc;
}

} // namespace

CSourceControls::CSourceControls(LPane* parent)
    : LFrame(parent, parent), fSource(this, ButtonDesc()), fRecord(this, ButtonDesc(), 0),
      fLive(this, ButtonDesc(), 0), fSeparator(this, this), fFile(this, this, CTextDrawer::kModeLine),
      fPlay(this, ButtonDesc(), 0), fSlider(this), fTime(this, this, CTextDrawer::kModeLine),
      fExtra(this, this, CTextDrawer::kModeLine)
{
    LStrList texts({0, kTextsName}, nullptr, kStrListDialogTexts);
    fSource.SetTitle(std::string(texts.GetItem(kSourceTitle).View()));
    fRecord.SetTitle(std::string(texts.GetItem(kRecordTitle).View()));
    fLive.SetTitle(std::string(texts.GetItem(kLiveTitle).View()));
    fPlay.SetTitle(std::string(texts.GetItem(kPlayTitle).View()));
    fSlider.SetRange(0, 1);
    fFile.SetFont(LFont(LFontData::kSmallSystemFont));
    LFont timeFont(LFontData::kSmallSystemFont);
    timeFont.SetScale(kTimeFontPercent);
    fTime.SetFont(timeFont);
    fTime.SetAlignment(kAlignRight);
    fExtra.SetFont(LFont(LFontData::kSmallSystemFont));
    SetLayout(Layout(), kFormulaLayout);
    for (LPane* pane : {static_cast<LPane*>(&fRecord), static_cast<LPane*>(&fLive), static_cast<LPane*>(&fPlay),
                        static_cast<LPane*>(&fSlider)})
        Enable(*pane, false);
}

void CSourceControls::SetButton(CStateButton& button, bool on)
{
    button.SetOn(on ? 1 : 0);
}

void CSourceControls::Enable(LPane& pane, bool enabled)
{
    pane.SetState(enabled ? kEventEnable : kEventDisable);
}
