#pragma once
#include "controls/panels/ColorSpace.h"
#include "ui/panes/LPane.h"

// The colour panel's two samples side by side: the colour the panel opened with on the left,
// the colour picked now on the right. A click on the left one asks for it back
// ("CColorSwatch_Original" to the parent).
class CColorSwatchPane : public LPane {
public:
    static const char* msgOriginal;

    CColorSwatchPane(LHandler* parent, LPane* host);

    void SetOriginal(const RgbColor& color);
    void SetCurrent(const RgbColor& color);
    CLRect OriginalRect() const;
    CLRect CurrentRect() const;

    void HandleMessage(LMessage& result, const LMessage& msg) override;
    void DrawSelf(LPortState& port) const override;

private:
    RgbColor fOriginal;
    RgbColor fCurrent;
};
