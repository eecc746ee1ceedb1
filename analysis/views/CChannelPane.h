#pragma once
#include "analysis/views/ChRowLayout.h"
#include "controls/headers/CRowHeader.h"
#include "ui/frames/LFrame.h"

// What the spectrum and waveform panes of a channel row share: the header of three level texts
// (their first child) beside the drawing areas, and a layout that reads the width of that
// header column from the channel list's parameters.
class CChannelPane : public LFrame {
public:
    CRowHeader& Header() { return fHeader; }

    void PrepareLayout(LPaneContext& context, LFormulaLayout& layout) override;
    // Places the level texts: the first at the top, the last at the bottom, the middle one
    // centred, or in thirds in decibel mode when the pane follows it.
    void FinishLayout(LPaneContext& context, LFormulaLayout& layout) override;

protected:
    // `widthVar` names the layout variable of the header column, `width` the parameter it takes.
    CChannelPane(LHandler* parent, LPane* host, const ChRowLayout& params, const char* resName,
                 const char* widthVar, int32_t ChRowLayout::*width, bool followsThirds);

    const ChRowLayout& fParams;

private:
    const char* fWidthVar;
    int32_t ChRowLayout::*fWidth;
    bool fFollowsThirds;
    CRowHeader fHeader;
};
