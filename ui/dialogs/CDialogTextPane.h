#pragma once
#include "foundation/core/LStringRef.h"
#include "ui/panes/LPane.h"

#include <cstdint>

// A pane that carries one text and asks for room for it: the buttons and captions of the
// program's small dialogs (message boxes, the save-changes question, the About box, the wait
// dialog). Its preferred sizes assume a fixed character cell, so layouts come out the same on
// every machine.
// NOTE: stands in for the caption pane and the standard push button until those controls
// exist; the dialogs then hold them in its place and this pane goes.
class CDialogTextPane : public LPane {
public:
    static constexpr int32_t kCharWidth = 7;
    static constexpr int32_t kLineHeight = 16;
    // Room a button adds around its title.
    static constexpr int32_t kButtonPad = 24;

    enum class Kind { Caption, Button };

    CDialogTextPane(LHandler* parent, LPane* host, Kind kind = Kind::Caption);

    const LStringRef& Text() const { return fText; }
    // Stores the text; a different one asks the frame to lay out again.
    void SetText(const LStringRef& text);
    Kind TextKind() const { return fKind; }

    // A negative hint asks for the width of one wide character; otherwise the width of the
    // longest line.
    int32_t PrefWidth(LPaneContext* context, int32_t hint) override;
    // The height of the text wrapped at a width hint (none: as it stands).
    int32_t PrefHeight(LPaneContext* context, int32_t hint) override;

private:
    int32_t LongestLine() const;
    int32_t LinesAtWidth(int32_t width) const;

    LStringRef fText;
    Kind fKind;
};
