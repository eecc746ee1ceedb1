#pragma once
#include "ui/LImageRef.h"
#include "ui/panes/LPane.h"

#include <cstdint>

// A pane that shows one image, stretched, centred or fitted into its rectangle. Clicks pass
// through it (it is mouse-transparent).
class LImagePane : public LPane {
public:
    enum Mode : uint32_t {
        kStretch = 0,   // the pane's rectangle
        kCenter = 1,    // natural size, centred
        kFit = 2,       // scaled to fit keeping the aspect ratio, centred
    };

    explicit LImagePane(LPane* host);

    // Replaces the image and invalidates what changed; nothing for the same image.
    void SetImage(const LImageRef& image);
    const LImageRef& Image() const { return fImage; }
    uint32_t Mode() const { return fMode; }
    void SetMode(uint32_t mode) { fMode = mode; }
    // Where the image is drawn, in host coordinates.
    CLRect ImageRect() const;

    int32_t PrefWidth(LPaneContext* context, int32_t hint) override;
    int32_t PrefHeight(LPaneContext* context, int32_t hint) override;
    void DrawSelf(LPortState& port) const override;

private:
    // The region the image covers at `rect`: its shape, or the rectangle for a rectangular one.
    static LRegion Coverage(LImage& image, const CLRect& rect);

    uint32_t fMode = kStretch;
    LImageRef fImage;
};
