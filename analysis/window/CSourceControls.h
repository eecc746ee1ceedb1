#pragma once
#include "ui/frames/LFrame.h"
#include "controls/std/CSlider.h"
#include "controls/std/CStateButton.h"
#include "controls/std/LStdButton.h"
#include "ui/draw/LSeparatorPane.h"
#include "ui/panes/LCaptionPane.h"

// The strip above a document's views that chooses and plays its source: the source button,
// the record and live buttons, the record file's name, the play button, the playback slider
// and the playback time. Placed by the "SRCCTLFRM" layout; titles from 'CST#' "SNXWIN".
// The record, live and play buttons and the slider start disabled.
class CSourceControls : public LFrame {
public:
    static const char* const kResName;   // "SRCCTLFRM"

    explicit CSourceControls(LPane* parent);

    LStdButton& SourceButton() { return fSource; }
    CStateButton& RecordButton() { return fRecord; }
    CStateButton& LiveButton() { return fLive; }
    CStateButton& PlayButton() { return fPlay; }
    CSlider& Slider() { return fSlider; }
    LCaptionPane& FileCaption() { return fFile; }
    LCaptionPane& TimeCaption() { return fTime; }

    // A state button on or off, and enabled or disabled.
    static void SetButton(CStateButton& button, bool on);
    static void Enable(LPane& pane, bool enabled);

private:
    LStdButton fSource;
    CStateButton fRecord;
    CStateButton fLive;
    LSeparatorPane fSeparator;
    LCaptionPane fFile;
    CStateButton fPlay;
    CSlider fSlider;
    LCaptionPane fTime;
    LCaptionPane fExtra;
};
