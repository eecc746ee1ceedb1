// The document window's fader editor and event-text window.
#include "analysis/events/CEventWindow.h"
#include "analysis/window/CSpecWindow.h"
#include "controls/divider/CPaneDivider.h"
#include "foundation/core/StrEqual.h"
#include "outputs/editor/CFaderFrame.h"

#include <algorithm>

void CSpecWindow::ShowEventWindow()
{
    if (fEventWindow)
        fEventWindow->ShowWindow();
}

// The fader frame gets its preferred height: first from the views above it, then, when they
// cannot give enough, from a taller window with the views' part shrunk away.
void CSpecWindow::GrowFaderFrame(int32_t preferredHeight)
{
    if (!fFaderDivider || !fFaderFrame || preferredHeight <= 0)
        return;
    const int32_t shown = int32_t(fFaderFrame->Rect().Height());
    if (shown >= preferredHeight)
        return;
    const int32_t missing = preferredHeight - shown;
    const int32_t position = fFaderDivider->DividerPos(0);
    if (position >= missing) {
        fFaderDivider->MoveDivider(0, position - missing);
        return;
    }
    if (Window()) {
        const CLRect content = GetWindowContentRect();
        PlaceWindow({content.left, content.top, content.right, content.bottom + preferredHeight}, nullptr);
    }
    fFaderDivider->MoveDivider(0, 0);
}

bool CSpecWindow::HandleEditorMessage(LMessage& result, const LMessage& msg)
{
    if (fEventWindow && msg.subject == fEventWindow.get() && StrEqual(msg.type, LFrame::msgClose)) {
        if (fWindowRecord)
            LObject::SetByte(fWindowRecord, nullptr, kWindEvwo, 0, LObject::Merge::No);
        LMessage::Redirect(result, msg, fEventWindow.get());
        return true;
    }
    return false;
}
