#include "controls/edit/CAsciiEditText.h"

void CAsciiEditText::StateChanged(int32_t event)
{
    LEditText::StateChanged(event);
    switch (event) {
    case kEventEnable: case kEventDisable: case kEventActivate: case kEventDeactivate:
    case kEventFocus: case kEventUnfocus:
        fSelected = HasFlags(kPaneEnabled | kPaneHostActive | kPaneFocused);
        break;
    default:
        break;
    }
}
