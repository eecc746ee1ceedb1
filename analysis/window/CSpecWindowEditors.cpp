// The document window's fader editor and event-text window.
#include "analysis/events/CEventWindow.h"
#include "analysis/views/SNXCHVW.h"
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
// cannot give enough without going below their own preferred height, from a taller window.
void CSpecWindow::GrowFaderFrame(int32_t preferredHeight)
{
    if (!fFaderDivider || !fFaderFrame || preferredHeight <= 0)
        return;
    const int32_t shown = int32_t(fFaderFrame->Rect().Height());
    if (shown >= preferredHeight)
        return;
    const int32_t position = fFaderDivider->DividerPos(0);
    // The bar moves up as far as the views' preferred height lets it.
    fFaderDivider->MoveDivider(0, std::max(position - (preferredHeight - shown), 0));
    const int32_t lacking = preferredHeight - int32_t(fFaderFrame->Rect().Height());
    if (lacking <= 0)
        return;
    // The window grows by what the fader frame still lacks, or more when the views too lack
    // some of their preferred height, so that both show whole.
    const int32_t extent = int32_t(fFaderDivider->Rect().Height());
    const int32_t views = fFreqView ? fFreqView->PrefHeight(nullptr, 0) : 0;
    const int32_t grow = std::max(lacking, views + CPaneDivider::kBarSize + preferredHeight - extent);
    if (Window()) {
        const CLRect content = GetWindowContentRect();
        PlaceWindow({content.left, content.top, content.right, content.bottom + grow}, nullptr);
    }
    fFaderDivider->MoveDivider(0, 0);
}

void CSpecWindow::KeepFaderRow()
{
    if (!fFaderDivider || !fFaderFrame)
        return;
    const int32_t lacking = fFaderFrame->LeastHeight() - int32_t(fFaderFrame->Rect().Height());
    // The divider's limits keep the list's row first when the views cannot have their own
    // preferred height as well.
    if (lacking > 0)
        fFaderDivider->MoveDivider(0, fFaderDivider->DividerPos(0) - lacking);
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

void CSpecWindow::EnterTypedText()
{
    if (fFaderFrame)
        fFaderFrame->List().EnterTypedText();
}
