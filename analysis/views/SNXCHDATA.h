#pragma once
#include "analysis/views/CChannelGLView.h"
#include "analysis/views/CChannelPane.h"
#include "controls/settings/CGridInfoFrame.h"

// The waveform pane of a channel row: the level texts, the waveform view and the grid-info
// strip.
class SNXCHDATA : public CChannelPane {
public:
    SNXCHDATA(LHandler* parent, LPane* host, const ChRowLayout& params);

    CChannelGLView& WaveView() { return fWave; }
    CGridInfoFrame& GridInfo() { return fGridInfo; }

private:
    CChannelGLView fWave;
    CGridInfoFrame fGridInfo;
};
