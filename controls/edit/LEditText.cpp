#include "controls/edit/LEditText.h"

#include "controls/edit/CMacEditText.h"
#include "controls/std/LScrollBar.h"
#include "ui/draw/LPortState.h"
#include "ui/panes/LPaneContext.h"

#include <algorithm>
#include <string>

const char* LEditText::msgChange = "LEditText_Change";
const char* LEditText::msgUnfocused = "LEditText_Unfocused";
const char* LEditText::msgDown = "LEditText_Down";

namespace {

bool FocusedInKeyWindow(LPaneFlags flags)
{
    return (flags & (kPaneFocused | kPaneKeyWindow)) == (kPaneFocused | kPaneKeyWindow);
}

} // namespace

LEditText::LEditText(LPane* parent, uint32_t mode, uint32_t style) : LPane(parent, parent), fStyle(style), fMode(mode)
{
    SetFlagBits(kPaneOpaque, true);
    CColor::AssignById(fBackground, 6);
    if (style & kScrollBars) {
        if (mode == kMultiLine || mode == kWrapped)
            fVBar = std::make_unique<LScrollBar>(this, LScrollBar::kVertical, true);
        if (mode == kMultiLine)
            fHBar = std::make_unique<LScrollBar>(this, LScrollBar::kHorizontal, true);
    }
}

LEditText::~LEditText()
{
    SetState(kEventHide);
    fEditor.reset();
    fVBar.reset();
    fHBar.reset();
}

int32_t LEditText::LeftInset() const
{
    return ((fStyle & kNarrowLeft) ? 0 : 1) + ((fStyle & kBorderless) ? 0 : 1);
}

int32_t LEditText::TopInset() const
{
    return ((fStyle & kBorderless) ? 1 : 2) - ((fStyle & kNarrowTop) ? 1 : 0);
}

int32_t LEditText::BarWidth() const
{
    return fVBar ? fVBar->PrefWidth(nullptr, 0) : 0;
}

int32_t LEditText::BarHeight() const
{
    return fHBar ? fHBar->PrefHeight(nullptr, 0) : 0;
}

CLRect LEditText::TextRect() const
{
    const CLRect& r = Rect();
    return {r.left + LeftInset(), r.top + TopInset(), r.right - LeftInset() - BarWidth(),
            r.bottom - TopInset() - BarHeight()};
}

CLRect LEditText::InnerRect() const
{
    const int32_t edge = (fStyle & kBorderless) ? 0 : 1;
    const CLRect& r = Rect();
    return {r.left + edge, r.top + edge, r.right - edge - BarWidth(), r.bottom - edge - BarHeight()};
}

void LEditText::InvalidateRegion(LPane& pane, const LRegion& region, bool noErase)
{
    pane.Invalidate(region, noErase ? LRegion() : region);
}

LStringRef LEditText::GetText() const
{
    return fEditor ? fEditor->GetText() : fText;
}

void LEditText::SetText(const LStringRef& text)
{
    if (fEditor) {
        if (fEditor->GetText() == text)
            return;
        fEditor->SetText(text);
        UpdateScrollBars();
        return;
    }
    if (fText == text)
        return;
    fText = text;
    InvalidateRegion(*this, LRegion(TextRect()), false);
    UpdateScrollBars();
}

void LEditText::SetFont(const LFont& font)
{
    if (font == fFont)
        return;
    fFont = font;
    if (fEditor) {
        StateChanged(kEventUnfocus);
        StateChanged(kEventFocus);
    } else {
        InvalidateRegion(*this, LRegion(TextRect()), false);
    }
}

void LEditText::SelectAll()
{
    if (fEditor)
        fEditor->SelectAll();
}

bool LEditText::HasSelection() const
{
    return fEditor && fEditor->HasSelection();
}

void LEditText::FocusAndSelect()
{
    if (FocusedInKeyWindow(Flags()))
        SelectAll();
    else
        LMessage::Send(LMessage(msgReqFocus, this, Parent()));
}

int32_t LEditText::MeasureTextWidth(LPaneContext*, const LStringRef& text)
{
    CTextDrawer drawer;
    drawer.SetFont(fFont);
    drawer.SetText(text);
    LPortState port;
    return drawer.GetTextWidth(port);
}

bool LEditText::IsTextAreaVisible() const
{
    const LPaneContext context = LPaneContext::FromPane(*this);
    CLRect inner = InnerRect();
    if (inner.IsEmpty())
        return false;
    inner.Offset(context.originX, context.originY);
    LRegion outside(inner);
    outside.Subtract(context.clip);
    return outside.IsEmpty();
}

std::unique_ptr<CMacEditText> LEditText::CreateEditor()
{
    auto filter = [](LPane* owner, int32_t, LStringRef& text) {
        auto* field = static_cast<LEditText*>(owner);
        std::string kept;
        for (char c : text.View())
            if (field->AcceptChar(static_cast<uint8_t>(c)))
                kept += c;
        text = LStringRef(std::string_view(kept));
        return !kept.empty();
    };
    auto editor = std::make_unique<CMacEditText>(this, InnerRect(), TextRect(), filter, fMode, fFont,
                                                 (fStyle & kPassword) != 0, false, false);
    editor->SetBackgroundColor(fBackground.Get());
    editor->SetTextColor(nullptr);
    editor->SetText(fText);
    return editor;
}

void LEditText::DestroyEditor(std::unique_ptr<CMacEditText> editor)
{
    fText = editor->GetText();
    editor.reset();
}

void LEditText::OpenEditor()
{
    if (fEditor || (Flags() & 0x35) != 0x5 || !IsTextAreaVisible())
        return;
    fEditor = CreateEditor();
    fEditor->SetActive(true);
    fEditor->SetScroll(fHBar ? fHBar->GetValue() : 0, fVBar ? fVBar->GetValue() : 0);
    UpdateScrollBars();
}

void LEditText::CloseEditor(int32_t event)
{
    if (!fEditor)
        return;
    fEditor->EndCompletion();
    std::unique_ptr<CMacEditText> editor = std::move(fEditor);
    DestroyEditor(std::move(editor));
    InvalidateRegion(*this, LRegion(TextRect()), false);
    if (event == kEventUnfocus)
        Unfocused();
}

void LEditText::PlaceEditor()
{
    if (fEditor)
        fEditor->SetPlace(nullptr, InnerRect(), TextRect());
}

void LEditText::UpdateScrollBars()
{
    if (!fVBar && !fHBar)
        return;
    const CLPoint extent = TextExtent(nullptr);
    const CLRect text = TextRect();
    const int32_t visibleW = static_cast<int32_t>(text.Width());
    const int32_t visibleH = static_cast<int32_t>(text.Height());
    LPortState port;
    const int32_t line = fDrawer.GetLineHeight(port);
    const CLPoint scroll = fEditor ? fEditor->GetScroll() : CLPoint{};
    if (fVBar) {
        const int32_t value = fEditor ? scroll.y : fVBar->GetValue();
        fVBar->SetRange(value, 0, std::max(0, extent.y - visibleH), std::max(1, visibleH - line));
    }
    if (fHBar) {
        const int32_t value = fEditor ? scroll.x : fHBar->GetValue();
        fHBar->SetRange(value, 0, std::max(0, extent.x - visibleW + 2), std::max(1, visibleW - line));
    }
}

CLPoint LEditText::TextExtent(LPortState*)
{
    LPortState port;
    fDrawer.SetFont(fFont);
    fDrawer.SetText(GetText());
    const int32_t width = fDrawer.GetTextWidth(port);
    if (fMode == kWrapped)
        return {width, fDrawer.MeasureHeight(port, static_cast<int32_t>(TextRect().Width()))};
    return {width, fDrawer.GetLinesHeight(port)};
}

bool LEditText::AcceptChar(uint8_t)
{
    return true;
}

void LEditText::Changed()
{
    LMessage::Send(LMessage(msgChange, this, Parent()));
}

void LEditText::Unfocused()
{
    LMessage::Send(LMessage(msgUnfocused, this, Parent()));
}
