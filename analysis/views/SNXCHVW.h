#pragma once
#include "analysis/views/FreqAxis.h"
#include "controls/divider/CPaneDivider.h"
#include "controls/headers/CColumnHeader.h"
#include "controls/headers/CLayoutPane.h"
#include "controls/lists/LListNavi.h"
#include "controls/std/LScrollBar.h"
#include "controls/widgets/CDrawProcPane.h"
#include "ui/frames/LFrame.h"
#include "ui/panes/LCaptionPane.h"

class CFaderSetRecord;
class CSnxChList;
class LMouse;
class LObject;
struct LObjChange;

// The frequency view of a document: the channel list in a navigator, a frequency axis with its
// caption and a scroll bar for the zoomed range over the rows' spectrum views, and a time axis
// with its caption over their waveform views. The divider between the two axis panes sets
// where every row's spectrum pane ends and its waveform pane begins.
class SNXCHVW : public LFrame {
public:
    SNXCHVW(LHandler* parent, LPane* host, CFaderSetRecord& document, LObject* windowRecord);
    ~SNXCHVW() override;

    // The navigator the channel list is made in; SetChannelList shows it there.
    LListNavi& Navi() { return fNavi; }
    void SetChannelList(CSnxChList* list);

    // Runs the size check of the layout; lays the channels out when the frame is big enough,
    // else asks the parent for room.
    void CheckPreferredSize();
    void LayoutChannels();
    void SyncAxis();
    // Places the frequency axis and the scroll bar over the rows' spectrum area, from its own
    // left and right edges; runs after every layout of their pane and whenever the rows change.
    void PlaceAxis();
    // The time axis' texts and its caption, the waveform grid step, both from the span the
    // waveform shows now.
    void BuildTimeHeader();
    void UpdateGridStep();
    void UpdateScrollBar();
    LStringRef AxisLabel() const;
    FreqAxisInput AxisInput() const;

    CPaneDivider& Divider() { return fDivider; }
    LScrollBar& ScrollBar() { return fScroll; }
    CDrawProcPane& AxisPane() { return fAxis; }
    LCaptionPane& AxisCaption() { return fAxisCaption; }
    LCaptionPane& TimeCaption() { return fTimeCaption; }
    CColumnHeader& TimeHeader() { return fTimeHeader; }

    void HandleMessage(LMessage& result, const LMessage& msg) override;
    void RectChanged(const CLRect& old) override;
    int32_t PrefWidth(LPaneContext* context, int32_t hint) override;
    int32_t PrefHeight(LPaneContext* context, int32_t hint) override;
    void PrepareLayout(LPaneContext& context, LFormulaLayout& layout) override;

private:
    // The layout pane over the rows' spectrum views. Its layout text spans the axis over the
    // whole pane, so every layout of it, whatever asked for one (a font, a size, the divider),
    // ends by placing the axis over the spectrum area again.
    class FreqPane : public CLayoutPane {
    public:
        FreqPane(SNXCHVW& view, const LStrListRef& texts);
        void FinishLayout(LPaneContext& context, LFormulaLayout& layout) override;

    private:
        SNXCHVW& fView;
    };

    static void OnRecordChange(void* context, LObjChange& notice);
    void RecordChanged(const LObjChange& notice);
    static void ComputeAxis(void* context, CDrawProcPane& pane, LPortState& port);
    void DrawAxis(CDrawProcPane& pane, LPortState& port) const;
    LObject* FreqView() const;
    void SetFqps(float fqps);
    CLRect PreferredRect();
    void RunFrameLayout(bool place);
    void UpdateAxisCaption();
    void RepaintAxis();
    bool WheelOverAxis(LMouse& mouse);

    CFaderSetRecord& fDocument;
    LObject* fWindowRecord;
    CSnxChList* fList = nullptr;
    LListNavi fNavi;
    CPaneDivider fDivider;
    FreqPane fFreqPane;
    LCaptionPane fAxisCaption;
    CDrawProcPane fAxis;
    LScrollBar fScroll;
    CLayoutPane fTimePane;
    CColumnHeader fTimeHeader;
    LCaptionPane fTimeCaption;
    CLRect fPreferred;
    bool fObservingDocument = false;
    bool fObservingPrefs = false;
};
