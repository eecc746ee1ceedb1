#pragma once
#include "foundation/core/LStringRef.h"
#include "platform/Shared.h"
#include "platform/values/ValueRef.h"
#include "ui/panes/LPane.h"

#include <string>

namespace plat {
class Font;
struct FontChoice;
}

// The font panel's sample: a text drawn in the chosen font, black on white, clipped to the pane.
class CFontPreviewPane : public LPane {
public:
    CFontPreviewPane(LHandler* parent, LPane* host);
    ~CFontPreviewPane() override;

    void SetSample(const LStringRef& text);
    // Draws in that font from now on; with a font the drawing layer cannot open, draws nothing.
    void SetFont(const plat::FontChoice& font);
    // The font drawn with, or null.
    const plat::Font* Font() const { return fFont.Get(); }

    void DrawSelf(LPortState& port) const override;

private:
    LStringRef fSample;
    plat::Ref<plat::Font> fFont;
};
