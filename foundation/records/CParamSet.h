#pragma once
#include "foundation/core/LStringRef.h"

#include <cstdint>

class LHandler;
class LObject;

// Operations on a parameter set: a 'YUND'/'PRMS' record of named text parameters in list
// order (names compare exactly; the first match counts). Every edit goes through the
// recording operations, so it is undoable and observed like any record edit.
class CParamSet {
public:
    // The index of the parameter, or -1; on a match its value is copied to `value`.
    static int32_t Find(const LObject* set, const char* name, LStringRef* value);
    // A non-empty value updates or appends the parameter, an empty one removes it.
    static void SetValue(LObject* set, LHandler* context, const char* name, const LStringRef& value);
    // The nested set of the parameter, or null.
    static LObject* GetSubSet(const LObject* set, const char* name);
    // The nested set, made (with the parameter when missing) as one undo step; null when a
    // record cannot be made.
    static LObject* MakeSubSet(LObject* set, LHandler* context, const char* name);
    // The index of the parameter, or -1; on a match the value is parsed into `value`.
    static int32_t GetFloat(const LObject* set, const char* name, float& value);
    // Stores the value written with that many decimals, trailing zeros trimmed.
    static void SetFloat(LObject* set, LHandler* context, const char* name, int32_t decimals, double value);
};
