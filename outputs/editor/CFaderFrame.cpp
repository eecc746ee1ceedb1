#include "outputs/editor/CFaderFrame.h"
#include "analysis/records/CFaderSetRecord.h"
#include "analysis/records/CSnxSchema.h"
#include "analysis/records/SnxFields.h"
#include "foundation/core/LArray.h"
#include "foundation/records/LObjChange.h"
#include "foundation/text/LStrList.h"
#include "foundation/text/TextTemplate.h"
#include "outputs/editor/CFaderCell.h"
#include "shell/draw/LFontData.h"
#include "ui/layout/LFormulaLayout.h"
#include "ui/panes/LPaneContext.h"

const char* const CFaderFrame::kResName = "SNXDRFRM";

namespace {

constexpr uint32_t kCentred = 1;
constexpr int32_t kBandTitle = 2;
constexpr uint32_t kBandTemplate = 6;
constexpr uint32_t kDeclarations = 0;
constexpr uint32_t kPreferred = 1;

} // namespace

CFaderFrame::CFaderFrame(LHandler* parent, LPane* host, CFaderSetRecord& document)
    : LFrame(parent, host), fDocument(document), fHeader(this, kCentred, false, false),
      fNavi(this, LListNavi::kVerticalBar, true), fList(&fNavi, document)
{
    LStrList texts({0, kResName}, nullptr, kStrListDialogTexts);
    for (int32_t i = 0; i < CFaderCell::kColumns; ++i)
        fHeader.AddItem(texts.GetItem(uint32_t(i)), LFont(LFontData::kSmallSystemFont));
    fNavi.SetList(&fList);
    LStrListRef layout;
    LStrListRef::Create(layout, {0, kResName}, nullptr, kStrListLayouts);
    SetLayout(layout, kFormulaLayout);
    fObserving = fDocument.AddObserver(this, &OnModelChange);
    ShowUnitPrefix();
}

CFaderFrame::~CFaderFrame()
{
    if (fObserving)
        fDocument.RemoveObserver(this, &OnModelChange);
}

void CFaderFrame::PrepareLayout(LPaneContext& context, LFormulaLayout& layout)
{
    LFrame::PrepareLayout(context, layout);
    (void)layout.SetVariable("faders", fList.Rows());
}

void CFaderFrame::FinishLayout(LPaneContext& context, LFormulaLayout& layout)
{
    LFrame::FinishLayout(context, layout);
    PlaceTitles();
}

// Each title stands centred over its column of the rows.
void CFaderFrame::PlaceTitles()
{
    auto* prototype = dynamic_cast<CFaderCell*>(fList.PrototypeCell());
    if (!prototype)
        return;
    LPaneContext context = LPaneContext::FromPane(fHeader);
    const auto centres = prototype->ColumnCentres();
    const CLPoint list = fList.OriginIn(this);
    const CLPoint header = fHeader.OriginIn(this);
    for (int32_t i = 0; i < CFaderCell::kColumns; ++i)
        fHeader.SetColumn(i, centres[size_t(i)] + list.x - header.x, kCentred, &context);
}

CLRect CFaderFrame::PreferredExtent()
{
    return ExtentFor(fList.Rows());
}

// The frame's extent by its layout when the list holds `rows` rows.
CLRect CFaderFrame::ExtentFor(int32_t rows)
{
    LPaneContext context = LPaneContext::FromPane(*this);
    LFormulaLayout layout(&context, this);
    layout.Run(LStrListRef::GetItem(LayoutTexts(), kDeclarations).Get());
    PrepareLayout(context, layout);
    (void)layout.SetVariable("faders", rows);
    layout.Run(LStrListRef::GetItem(LayoutTexts(), kPreferred).Get());
    return layout.LayoutRect();
}

int32_t CFaderFrame::PreferredHeight()
{
    return int32_t(PreferredExtent().Height());
}

int32_t CFaderFrame::LeastHeight()
{
    return fList.Rows() > 0 ? int32_t(ExtentFor(1).Height()) : 0;
}

int32_t CFaderFrame::PrefWidth(LPaneContext*, int32_t)
{
    return int32_t(PreferredExtent().Width());
}

// The divider above keeps this much for the frame: a fader is never out of sight.
int32_t CFaderFrame::PrefHeight(LPaneContext*, int32_t)
{
    return LeastHeight();
}

void CFaderFrame::ShowUnitPrefix()
{
    const LObject* root = fDocument.Root();
    if (!root)
        return;
    LStrList texts({0, kResName}, nullptr, kStrListDialogTexts);
    const LStringRef prefix = root->GetString(kFdrsPrefix);
    LArray arguments(sizeof(const char*));
    const char* argument = prefix.Text();
    (void)arguments.Append(&argument);
    LPaneContext context = LPaneContext::FromPane(fHeader);
    static_cast<CHeaderFrame&>(fHeader).SetItemText(kBandTitle, FormatArgs(texts.GetItem(kBandTemplate).Text(), arguments), &context);
}

void CFaderFrame::OnModelChange(void* context, LObjChange& notice)
{
    auto* frame = static_cast<CFaderFrame*>(context);
    if (notice.record == frame->fDocument.Root() && notice.operation == LObjOp::Changed &&
        notice.field == kFdrsPrefix)
        frame->ShowUnitPrefix();
}
