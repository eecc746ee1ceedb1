#include "analysis/views/SNXCHVW.h"
#include "analysis/NiceStep.h"
#include "analysis/records/CAppPrefs.h"
#include "analysis/records/CFaderSetRecord.h"
#include "analysis/records/CSnxSchema.h"
#include "analysis/records/SnxFields.h"
#include "analysis/render/RenderRecords.h"
#include "analysis/views/CSnxChList.h"
#include "controls/text/CTextDrawer.h"
#include "foundation/core/LMessage.h"
#include "foundation/core/StrEqual.h"
#include "foundation/records/LObjChange.h"
#include "foundation/core/LStrStream.h"
#include "foundation/text/LStrList.h"
#include "foundation/text/NumberFormat.h"
#include "ui/layout/LFormulaLayout.h"
#include "ui/panes/LPaneContext.h"
#include "ui/panes/LPaneFlags.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

constexpr uint32_t kAxisFont = 2;
constexpr int32_t kScrollPage = 9;

LStrListRef Layout(const char* name)
{
    LStrListRef texts;
    LStrListRef::Create(texts, LResRef{0, name}, nullptr, kStrListLayouts);
    return texts;
}

float WindowRate(const LObject* window)
{
    const float rate = window ? window->GetFloat(kWindRate) : 0.0f;
    return std::isfinite(rate) && rate > 0.0f ? rate : 0.0f;
}

} // namespace

SNXCHVW::SNXCHVW(LHandler* parent, LPane* host, CFaderSetRecord& document, LObject* windowRecord)
    : LFrame(parent, host), fDocument(document), fWindowRecord(windowRecord), fNavi(this, 0, false),
      fDivider(this, this), fFreqPane(*this, Layout("SNXFRQVW")), fAxisCaption(&fFreqPane, &fFreqPane, 0),
      fAxis(&fFreqPane, &fFreqPane), fScroll(&fFreqPane, LScrollBar::kHorizontal, true),
      fTimePane(&fDivider, Layout("SNXCHVW"), true), fTimeHeader(&fTimePane, 0, false, false),
      fTimeCaption(&fTimePane, &fTimePane, 0)
{
    fDivider.SetOrientation(CPaneDivider::kSideBySide);
    fAxisCaption.SetFont(LFont(kAxisFont));
    fTimeCaption.SetFont(LFont(kAxisFont));
    fTimeHeader.AddItem(LStringRef("mS"), LFont(kAxisFont));
    for (int i = 0; i < 3; ++i)
        fTimeHeader.AddItem(LStringRef(), LFont(kAxisFont));
    fAxis.context = this;
    fAxis.drawProc = ComputeAxis;
    fObservingDocument = fDocument.AddObserver(this, OnRecordChange);
    if (CAppPrefs* prefs = CAppPrefs::Current())
        fObservingPrefs = prefs->AddObserver(this, OnRecordChange);
    UpdateGridStep();
    UpdateScrollBar();
    UpdateAxisCaption();
}

SNXCHVW::~SNXCHVW()
{
    if (fObservingDocument)
        fDocument.RemoveObserver(this, OnRecordChange);
    if (CAppPrefs* prefs = CAppPrefs::Current(); prefs && fObservingPrefs)
        prefs->RemoveObserver(this, OnRecordChange);
    fNavi.SetList(nullptr);
}

void SNXCHVW::SetChannelList(CSnxChList* list)
{
    fList = list;
    fNavi.SetList(list);
    UpdateAxisCaption();
    CheckPreferredSize();
}

LObject* SNXCHVW::FreqView() const
{
    return fWindowRecord ? fWindowRecord->GetChild(kWindChvw) : nullptr;
}

FreqAxisInput SNXCHVW::AxisInput() const
{
    FreqAxisInput in;
    const LObject* view = FreqView();
    const LObject* common = fDocument.Root() ? fDocument.Root()->GetChild(kFdrsComn) : nullptr;
    in.rate = WindowRate(fWindowRecord);
    in.fqzm = view ? view->GetFloat(kChvwFqzm) : 1.0f;
    in.fqps = view ? view->GetFloat(kChvwFqps) : 0.0f;
    in.step = view ? view->GetFloat(kChvwGridStep) : 1.0f;
    in.logFrequency = common && common->GetByte(kComnFqlg);
    in.ftsx = common ? common->GetByte(kComnFtsx) : 8;
    return in;
}

void SNXCHVW::SetFqps(float fqps)
{
    // Scrolling is not an edit of the document: no undo.
    if (LObject* view = FreqView())
        LObject::SetFloat(view, nullptr, kChvwFqps, fqps, LObject::Merge::No);
}

void SNXCHVW::UpdateGridStep()
{
    LObject* view = FreqView();
    if (!view)
        return;
    const float step = NiceStep(WindowRate(fWindowRecord) * 0.5f / UsableFreqZoom(view->GetFloat(kChvwFqzm)));
    LObject::SetFloat(view, nullptr, kChvwGridStep, step, LObject::Merge::No);
}

void SNXCHVW::UpdateScrollBar()
{
    const LObject* view = FreqView();
    const FreqScroll bar = FreqScrollBar(view ? view->GetFloat(kChvwFqzm) : 1.0f, view ? view->GetFloat(kChvwFqps) : 0.0f);
    fScroll.SetRange(bar.value, 0, bar.maximum, kScrollPage);
    fScroll.SetState(bar.maximum == 0 ? kEventHide : kEventShow);
    if (view && view->GetFloat(kChvwFqps) != bar.fqps)
        SetFqps(bar.fqps);
}

LStringRef SNXCHVW::AxisLabel() const
{
    const FreqAxisInput in = AxisInput();
    if (in.logFrequency)
        return LStringRef("Hz");
    if (!fWindowRecord || !fWindowRecord->GetByte(kWindGrid))
        return LStringRef();
    LStrStream out;
    FormatWithUnit(out, in.step);
    return LStringRef((std::string(out.View()) + "Hz/div").c_str());
}

void SNXCHVW::UpdateAxisCaption()
{
    fAxisCaption.SetText(AxisLabel());
}
