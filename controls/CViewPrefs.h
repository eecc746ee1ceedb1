#pragma once
#include "foundation/core/LHandler.h"
#include "foundation/core/LStringRef.h"

#include <cstdint>

class LObject;

// The user's per-view font choices, one global handler. The choices live in the preferences'
// parameter set: a "fonts" set holding one set per font id (written in decimal) with the
// family under "fam" and the size in points under "pts". A change is told to every window.
class CViewPrefs : public LHandler {
public:
    static const char* msgChanged;   // "CViewPrefs_Changed" {view prefs, window owner}

    // A font choice: family name (empty when none) and size in points.
    struct FontSpec {
        LStringRef family;
        float size = 12.0f;
    };

    // The one global object.
    static CViewPrefs& Shared();

    // The parameter set the choices are kept in; null (the start) reads and writes nothing.
    void SetParamSet(LObject* params) { fParams = params; }
    LObject* ParamSet() const { return fParams; }

    // The choice for the font id: false when there is no parameter set, no "fonts" set or no
    // set for the id; else fills `choice` ("pts" 12 when absent) and answers whether the family
    // is non-empty.
    bool GetFont(uint32_t fontId, FontSpec& choice) const;
    // Stores the choice for the font id (an empty family removes it) as undoable parameter
    // edits and broadcasts the change; an unchanged choice writes and sends nothing.
    void SetFont(uint32_t fontId, const FontSpec& choice);
    // Makes every font resolve again and sends "CViewPrefs_Changed" to every window's owner,
    // in the order of the window list.
    void Broadcast();

private:
    CViewPrefs();

    LObject* fParams = nullptr;
};
