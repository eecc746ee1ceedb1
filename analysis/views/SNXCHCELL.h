#pragma once
#include "analysis/views/ChRowLayout.h"
#include "analysis/views/SNXCHDATA.h"
#include "analysis/views/SNXCHSPEC.h"
#include "controls/lists/LCellFrame.h"

// One row of the channel list: the spectrum pane on the left and the waveform pane on the
// right, split where the list's layout parameters say.
class SNXCHCELL : public LCellFrame {
public:
    SNXCHCELL(LPane* grid, const ChRowLayout& params);

    SNXCHSPEC& Spectrum() { return fSpectrum; }
    SNXCHDATA& Data() { return fData; }
    // Lays out the cell, then both panes.
    void Relayout();

    void PrepareLayout(LPaneContext& context, LFormulaLayout& layout) override;

private:
    const ChRowLayout& fParams;
    uint32_t fValue = 0;
    SNXCHSPEC fSpectrum;
    SNXCHDATA fData;
};
