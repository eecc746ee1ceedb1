#pragma once
#include "foundation/core/LStringRef.h"

#include <cstdint>
#include <string>

// A font as the font panel runner takes and gives it.
struct CFontRecord {
    LStringRef name;
    LStringRef family;
    float size = 12.0f;
    uint8_t bold = 0;
    uint8_t italic = 0;
};

// Callback of the font panel: (argument, the chosen font, 2).
using FontPanelCallback = void (*)(void* argument, const CFontRecord& font, int32_t code);

// Attribute bits of RunFontPanel.
enum : uint32_t { kFontAttrSize = 1, kFontAttrStyle = 2, kFontAttrColor = 4 };

// Shows the shared font panel on the record's font. Modal: runs until the panel closes, fills
// the record with the last font and answers 0. Modeless: shows it and answers 2; every font
// the user picks reaches the callback. The fifth argument is not used.
int32_t RunFontPanel(bool modal, CFontRecord& font, void* argument, FontPanelCallback callback, void* unused,
                     uint32_t attributes);
// Closes the panel when it belongs to that argument and callback.
void CloseFontPanel(void* argument, FontPanelCallback callback);
// Whether the panel is open for that argument and callback.
bool FontPanelLinked(void* argument, FontPanelCallback callback);
// The panel's mode mask: the collection and the allowed attributes, none of the effects.
uint32_t FontPanelValidModes();
// The face name the panel reports: the DejaVu file stem ("DejaVuSans-BoldOblique"), else the
// family with its style ("Testing One Bold").
std::string FontFaceName(const std::string& family, bool bold, bool italic);
