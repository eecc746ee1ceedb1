#pragma once
#include "outputs/defs/CCtlDef.h"

#include <string>

// A control with an initial value: reads "arg" (-1 when missing) and "ini".
class CValueCtlDef : public CCtlDef {
public:
    explicit CValueCtlDef(const CDefList& block);

    // The default text of a parameter as the fader engine takes it from a control block:
    // "ini" converted from display units by "base", "scale" and "prec"; "0" when "ini" is
    // absent, empty when it is present but empty.
    static LStringRef DefaultText(const CDefList& block);

    // The number of powers of ten 10, 100, ... up to the first that is not below `scale`;
    // 0 for a scale of 1 or less.
    static int32_t ScaleDecimals(double scale);

    int32_t Arg() const { return fArg; }
    const std::string& IniText() const { return fIniText; }
    // The initial value in stored units.
    float Ini() const { return fIni; }

protected:
    float fIni = 0.0f;

private:
    int32_t fArg = -1;
    std::string fIniText;
};

// Number parsing of definition keys: texts that give no finite number read as `fallback`.
double DefDouble(const CDefList& block, const char* key, double fallback);
// Integers with C prefixes; `fallback` when the key is absent or empty.
int32_t DefInt(const CDefList& block, const char* key, int32_t fallback);
