#pragma once
#include "foundation/core/LStringRef.h"

#include <cstdint>
#include <string_view>

// The name of a MIDI note: a two-character letter and sharp ("C ", "C#", ...) followed by the
// octave, note / 12 + octaveBase - 5. With base 4, note 60 reads "C 4" and 61 "C#4".
LStringRef NoteName(uint8_t note, int32_t octaveBase);

// The note a typed name stands for, limited to 0..127. Letters A to G pick the letter (the last
// one wins), '#' makes it sharp, '-' or a digit starts the signed octave (the last one wins),
// every other character is ignored; case does not matter. Without a letter the note is C, without
// an octave the octave is 4, so an empty text gives 60.
int32_t NoteFromName(std::string_view text);
