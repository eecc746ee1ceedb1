#pragma once
#include "controls/edit/CNumVol.h"
#include "controls/edit/LEditText.h"
#include "controls/headers/CColumnHeader.h"
#include "controls/lists/LCellFrame.h"
#include "controls/std/LPopupList.h"
#include "controls/widgets/CLevelMeter.h"
#include "outputs/defs/CCtlPanel.h"
#include "ui/draw/LOutlinePane.h"
#include "ui/draw/LSeparatorPane.h"
#include "ui/drop/LDropPane.h"
#include "ui/panes/LCaptionPane.h"

#include <array>
#include <cstdint>

class LDrop;

// One row of the fader editor: the fader's name, source channel, source type, band, input
// range, output range and output kind, its live level, and the parameter panel of its output
// kind under a caption row (where sound files may be dropped). Placed by layout "SNXDRCELL".
class CFaderCell : public LCellFrame {
public:
    static const char* const kResName;  // "SNXDRCELL"
    static constexpr int32_t kColumns = 6;

    explicit CFaderCell(LPane* grid);

    // The preferred size from the layout.
    CLRect LayoutSize();
    // The x centres, in the cell's coordinates, of the six column titles.
    std::array<int32_t, kColumns> ColumnCentres() const;
    int32_t GetSourceType() const { return fSourceType.GetSelection(); }
    void SetSourceType(int32_t type) { (void)fSourceType.SetSelection(type); }

    LEditText& Name() { return fName; }
    CNumVol& Channel() { return fChannel; }
    LPopupList& SourceType() { return fSourceType; }
    CNumVol& BandLow() { return fBandLow; }
    LCaptionPane& BandDash() { return fBandDash; }
    CNumVol& BandHigh() { return fBandHigh; }
    CNumVol& InputLow() { return fInputLow; }
    CNumVol& InputHigh() { return fInputHigh; }
    CNumVol& OutputLow() { return fOutputLow; }
    CNumVol& OutputHigh() { return fOutputHigh; }
    LPopupList& OutputKind() { return fOutputKind; }
    CLevelMeter& Meter() { return fMeter; }
    CColumnHeader& Captions() { return fCaptions; }
    LDropPane& SoundDrop() { return fSoundDrop; }
    CCtlPanel& Panel() { return fPanel; }
    const CCtlPanel& Panel() const { return fPanel; }

    // A drag of files over the parameter panel is meant for the sound drop pane the panel
    // covers; every other drag goes on to the list.
    void HandleMessage(LMessage& result, const LMessage& msg) override;

private:
    bool IsOverSoundDrop(const LDrop& drag) const;

    LEditText fName;
    CNumVol fChannel;
    LPopupList fSourceType;
    CNumVol fBandLow;
    LCaptionPane fBandDash;
    CNumVol fBandHigh;
    CNumVol fInputLow;
    LCaptionPane fInputDash;
    CNumVol fInputHigh;
    CNumVol fOutputLow;
    LCaptionPane fOutputDash;
    CNumVol fOutputHigh;
    LPopupList fOutputKind;
    CLevelMeter fMeter;
    LOutlinePane fOutline;
    CColumnHeader fCaptions;
    LDropPane fSoundDrop;
    CCtlPanel fPanel;
    LSeparatorPane fSeparator;
};
