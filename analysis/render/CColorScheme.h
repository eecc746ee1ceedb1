#pragma once
#include <cstdint>

class LHandler;
class LObject;

// The colours and trail settings of the preferences ('COLS'), as the renderers read them.
class CColorScheme {
public:
    // red | green << 8 | blue << 16 from the colour field when it holds at least 3 bytes, else
    // the field's built-in default; 0 for a field that is not a colour.
    static uint32_t GetColor(const LObject* record, uint8_t field);
    // Stores red, green and blue (red | green << 8 | blue << 16) as the field's 3 bytes, with
    // undo through `context`.
    static void SetColor(LObject* record, LHandler* context, uint8_t field, uint32_t rgb);
    // The 'COLS' record of the current preferences, or a record at its defaults when there are
    // none; never null unless the record classes are missing.
    static const LObject* Current();
};
