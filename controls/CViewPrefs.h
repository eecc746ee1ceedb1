#pragma once
#include "foundation/core/LHandler.h"
#include "foundation/core/LStringRef.h"

#include <cstdint>

class LObject;

// The user's per-view font choices, one global handler. The choices live in the preferences'
// parameter set: a "fonts" set holding one set per font id (written in decimal) with the
// family under "fam" and the size in points under "pts".
// NOTE: only the reading side the font layer needs; the view-preferences window, SetFont
// and the change broadcast are still to come.
class CViewPrefs : public LHandler {
public:
    // A font choice: family name (empty when none) and size in points.
    struct FontSpec {
        LStringRef family;
        float size = 12.0f;
    };

    // The one global object.
    static CViewPrefs& Shared();

    // The parameter set the choices are read from; null (the start) reads nothing.
    void SetParamSet(LObject* params) { fParams = params; }
    LObject* ParamSet() const { return fParams; }

    // The choice for the font id: false when there is no parameter set, no "fonts" set or no
    // set for the id; else fills `spec` ("pts" 12 when absent) and answers whether the family
    // is non-empty.
    bool GetFont(uint32_t fontId, FontSpec& spec) const;

private:
    CViewPrefs() = default;

    LObject* fParams = nullptr;
};
