#pragma once
#include "controls/CColor.h"
#include "controls/text/CTextDrawer.h"
#include "foundation/core/LStringRef.h"
#include "shell/draw/LFont.h"
#include "ui/panes/LPane.h"

#include <memory>

class CMacEditText;
class LScrollBar;

// The framework's text field: draws its text itself while unfocused and hands editing to a
// native editor placed over its text area while it has the focus. Single line, multi-line or
// word-wrapped; optional scroll bars; a password style; a per-character input filter; and key
// routing that lets the frames and dialogs above it claim keys ("LEditText_Down").
class LEditText : public LPane {
public:
    static const char* msgChange;
    static const char* msgUnfocused;
    static const char* msgDown;
    // Style flags.
    enum : uint32_t { kNarrowLeft = 0x1, kNarrowTop = 0x2, kPassword = 0x4, kBorderless = 0x8, kScrollBars = 0x10 };
    enum : uint32_t { kSingleLine = 0, kMultiLine = 1, kWrapped = 2 };

    LEditText(LPane* parent, uint32_t mode, uint32_t style);
    ~LEditText() override;

    LStringRef GetText() const;
    void SetText(const LStringRef& text);
    void SetFont(const LFont& font);
    const LFont& Font() const { return fFont; }
    void SetTextColor(const CColorRef& color) { fTextColor = color; }
    void SelectAll();
    bool HasSelection() const;
    void FocusAndSelect();
    int32_t MeasureTextWidth(LPaneContext* context, const LStringRef& text);

    CMacEditText* Editor() const { return fEditor.get(); }
    LScrollBar* VerticalBar() const { return fVBar.get(); }
    LScrollBar* HorizontalBar() const { return fHBar.get(); }
    uint32_t Style() const { return fStyle; }
    uint32_t EditMode() const { return fMode; }
    CLRect TextRect() const;
    CLRect InnerRect() const;
    // Invalidates a region of the pane; with noErase the erase region stays empty.
    static void InvalidateRegion(LPane& pane, const LRegion& region, bool noErase);

    void HandleMessage(LMessage& result, const LMessage& msg) override;
    void StateChanged(int32_t event) override;
    void RectChanged(const CLRect& old) override;
    bool Overlaps(const LRegion& region) const override;
    LPane* HitTest(const CLPoint& point) override;
    int32_t PrefWidth(LPaneContext* context, int32_t hint) override;
    int32_t PrefHeight(LPaneContext* context, int32_t hint) override;
    void DrawSelf(LPortState& port) const override;
    bool AdvanceFocus(LFocusDir dir, LFocusRestart restart) override;

    virtual std::unique_ptr<CMacEditText> CreateEditor();
    virtual void DestroyEditor(std::unique_ptr<CMacEditText> editor);
    virtual void DrawText(LPortState& port, const CLRect& rect) const;
    // Width and height of the whole text in the field's font.
    virtual CLPoint TextExtent(LPortState* port);
    virtual bool AcceptChar(uint8_t character);
    virtual void Changed();
    virtual void Unfocused();

protected:
    int32_t LeftInset() const;
    int32_t TopInset() const;
    void UpdateScrollBars();
    void OpenEditor();
    void CloseEditor(int32_t event);
    // The inner rectangle lies wholly inside the visible part of the window.
    bool IsTextAreaVisible() const;
    // The key routing of an open editor; answers whether the message was settled here.
    bool RouteKey(LMessage& result, const LMessage& msg);

private:
    void PlaceBars();
    void InvalidateFrameBand();
    void PlaceEditor();
    int32_t BarWidth() const;
    int32_t BarHeight() const;

    std::unique_ptr<LScrollBar> fVBar;
    std::unique_ptr<LScrollBar> fHBar;
    LStringRef fText;
    std::unique_ptr<CMacEditText> fEditor;
    uint32_t fStyle;
    uint32_t fMode;
    LFont fFont{1};
    CColorRef fBackground;
    CColorRef fTextColor;
    mutable CTextDrawer fDrawer;
};
