#pragma once
#include "platform/draw/Canvas.h"
#include "ui/draw/LRGB.h"

// Colour components as single-precision values.
struct SRGBA {
    float red = 0;
    float green = 0;
    float blue = 0;
    float alpha = 1;
};

// The colour's sRGB components and alpha, each held to 0 ... 1.
SRGBA NSColorGetRGBA(const plat::Color& color);
// The colour's sRGB components × 255, truncated.
LRGB NSColorToLRGB(const plat::Color& color);
// An opaque colour of the triplet.
plat::Color LRGBToNSColor(const LRGB& rgb);
