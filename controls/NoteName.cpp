#include "controls/NoteName.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace {

constexpr const char* kNoteLetters[12] = {"C ", "C#", "D ", "D#", "E ", "F ", "F#", "G ", "G#", "A ", "A#", "B "};

// Octaves beyond this cannot give a note in 0..127; reading stops growing the number here so
// that a long run of digits cannot overflow.
constexpr int32_t kOctaveLimit = 1000;

// Semitone of a letter from C: C 0, D 2, E 4, F 5, G 7, A 9, B 11.
int32_t SemitoneOf(char letter)
{
    const int32_t position = (letter - 'C' + 7) % 7;   // C 0 .. B 6
    return 2 * position - (position >= 3 ? 1 : 0);
}

// Reads an optional '-' and the digits after it from text[index]; moves index past them.
int32_t ReadSignedOctave(std::string_view text, size_t& index)
{
    bool negative = false;
    if (text[index] == '-') {
        negative = true;
        ++index;
    }
    int32_t value = 0;
    while (index < text.size() && std::isdigit(static_cast<unsigned char>(text[index]))) {
        value = std::min(kOctaveLimit, value * 10 + (text[index] - '0'));
        ++index;
    }
    return negative ? -value : value;
}

} // namespace

LStringRef NoteName(uint8_t note, int32_t octaveBase)
{
    std::string name = kNoteLetters[note % 12];
    name += std::to_string(note / 12 + octaveBase - 5);
    return LStringRef(std::string_view(name));
}

int32_t NoteFromName(std::string_view text)
{
    char letter = 'C';
    bool sharp = false;
    int32_t octave = 4;
    size_t index = 0;
    while (index < text.size()) {
        const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(text[index])));
        if (c == '-' || std::isdigit(static_cast<unsigned char>(c))) {
            octave = ReadSignedOctave(text, index);
            continue;
        }
        if (c >= 'A' && c <= 'G')
            letter = c;
        else if (c == '#')
            sharp = true;
        ++index;
    }
    const int32_t note = 12 + SemitoneOf(letter) + (sharp ? 1 : 0) + 12 * octave;
    return std::clamp(note, 0, 127);
}
