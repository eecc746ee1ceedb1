#pragma once
#include "foundation/core/LArray.h"
#include "foundation/core/LStringRef.h"

#include <cstdint>

class LObject;
struct LObjChange;

// Which parameter of which owner a change notice is about, as ParseParamNotice tells it.
struct CParamNotice {
    LObject* owner = nullptr;  // the nearest ancestor outside the parameter structure
    uint8_t field = 0;         // the owner's field that holds the structure
    LObject* table = nullptr;  // the 'PRMT' record when the set is a table cell
    LObject* set = nullptr;    // the 'PRMS' record concerned
    uint32_t column = 0;
    uint32_t row = 0;
    LStringRef name;           // the parameter concerned
    LArray params{sizeof(LObject*)};  // enclosing 'PRAM' records of a nested set, innermost first
};

// True when the notice concerns a parameter: a parameter's value changed or the parameter
// is leaving, or a parameter was inserted into a set.
bool ParseParamNotice(const LObjChange& notice, CParamNotice& out);
