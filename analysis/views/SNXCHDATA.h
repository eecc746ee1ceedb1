#pragma once
#include "analysis/views/CChannelGLView.h"
#include "analysis/views/ChRowLayout.h"
#include "controls/headers/CRowHeader.h"
#include "controls/settings/CGridInfoFrame.h"
#include "ui/frames/LFrame.h"

// The waveform pane of a channel row: the level texts, the waveform view and the grid-info
// strip.
class SNXCHDATA : public LFrame {
public:
    SNXCHDATA(LHandler* parent, LPane* host, const ChRowLayout& params);

    CRowHeader& Header() { return fHeader; }
    CChannelGLView& WaveView() { return fWave; }
    CGridInfoFrame& GridInfo() { return fGridInfo; }

    void PrepareLayout(LPaneContext& context, LFormulaLayout& layout) override;
    void FinishLayout(LPaneContext& context, LFormulaLayout& layout) override;

private:
    const ChRowLayout& fParams;
    CRowHeader fHeader;
    CChannelGLView fWave;
    CGridInfoFrame fGridInfo;
};
