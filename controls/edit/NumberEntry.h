#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// The arithmetic of the number fields: the form a typed number may take, limiting, stepping and
// the step sizes of the mouse wheel and of external step events.
namespace NumberEntry {

// The longest start of `text` in the form of a signed decimal: digits anywhere, '-' only as the
// first character, one '.' when a point is allowed (a second one ends the text).
std::string CutToNumber(std::string_view text, bool pointAllowed);

// The value limited to [minimum, maximum]; a value that is not a number gives the minimum.
double Limit(double value, float minimum, float maximum);

// value + n x step, the product taken in single precision and the sum in double, then limited.
double StepBy(double value, int32_t n, float step, float minimum, float maximum);

// An external step count of 10 or more (either sign) is scaled to the range: m = (maximum -
// minimum) / (step x 100) rounded half away from zero, at least 1, and n becomes (m x n) / 10
// truncated toward zero. Smaller counts are kept.
int32_t ScaleExternalStep(int32_t n, float minimum, float maximum, float step);

// The increment of a keyboard step: the step with Shift, else the larger of the step and a tenth
// of the range.
double KeyStepIncrement(bool shift, float step, float minimum, float maximum);

// The wheel step for a pointer at `offset` pixels from the text's left edge, when the text is
// `textWidth` pixels wide: ten to the power of the place of the character under the pointer
// (the tens digit gives 10, the first decimal 0.1, the point 1). 0 for an empty text or a
// text without width.
double WheelStepAt(std::string_view text, double textWidth, int32_t offset, uint32_t decimals);

} // namespace NumberEntry
