#pragma once
#include "platform/draw/Canvas.h"

class CColor;

// The colour text is drawn with for a framework colour, by the colour's kind (its index):
// 1 selected text, 2 and 8 disabled control text, 3 white, 4 black, 5 grey, 6 control text,
// 7 selected control text, 255 the colour's own RGB bytes (opaque); any other kind, and no
// colour, the text colour.
plat::Color TextColorToNSColor(const CColor* color);
