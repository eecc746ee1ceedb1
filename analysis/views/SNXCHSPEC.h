#pragma once
#include "analysis/views/CChannelGLView.h"
#include "analysis/views/CChannelPane.h"
#include "controls/settings/CGridInfoFrame.h"

// The spectrum pane of a channel row: the level texts, the colour-scale bar, the spectrum view
// (with a depth buffer for the trail) and the grid-info strip.
class SNXCHSPEC : public CChannelPane {
public:
    SNXCHSPEC(LHandler* parent, LPane* host, const ChRowLayout& params);

    CChannelGLView& ScaleView() { return fScale; }
    CChannelGLView& SpectrumView() { return fSpectrum; }
    CGridInfoFrame& GridInfo() { return fGridInfo; }

private:
    CChannelGLView fScale;
    CChannelGLView fSpectrum;
    CGridInfoFrame fGridInfo;
};
