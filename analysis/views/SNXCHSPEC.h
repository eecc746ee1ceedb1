#pragma once
#include "analysis/views/CChannelGLView.h"
#include "analysis/views/ChRowLayout.h"
#include "controls/headers/CRowHeader.h"
#include "controls/settings/CGridInfoFrame.h"
#include "ui/frames/LFrame.h"

// The spectrum pane of a channel row: the level texts, the colour-scale bar, the spectrum view
// (with a depth buffer for the trail) and the grid-info strip.
class SNXCHSPEC : public LFrame {
public:
    SNXCHSPEC(LHandler* parent, LPane* host, const ChRowLayout& params);

    CRowHeader& Header() { return fHeader; }
    CChannelGLView& ScaleView() { return fScale; }
    CChannelGLView& SpectrumView() { return fSpectrum; }
    CGridInfoFrame& GridInfo() { return fGridInfo; }

    void PrepareLayout(LPaneContext& context, LFormulaLayout& layout) override;
    void FinishLayout(LPaneContext& context, LFormulaLayout& layout) override;

private:
    const ChRowLayout& fParams;
    CRowHeader fHeader;
    CChannelGLView fScale;
    CChannelGLView fSpectrum;
    CGridInfoFrame fGridInfo;
};
