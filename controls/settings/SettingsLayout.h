#pragma once
#include <cstdint>
#include <functional>

class LFormula;
class LFrame;

// Lays a dialog out from the three texts of the 'TLYO' list of its name (declarations, size,
// placement) and places its window at the rectangle they computed.
void PlaceByLayoutList(LFrame& dialog, const char* name, const std::function<void(LFormula&)>& prepare = {});

class LCaptionPane;
class LStringRef;

// Gives a caption of a settings dialog its text in the font of the id (the system font unless told).
void SetCaption(LCaptionPane& caption, const LStringRef& text, uint32_t fontId = 0);
