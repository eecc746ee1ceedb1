#include "foundation/TextTokens.h"

#include "foundation/LCharSource.h"
#include "foundation/NumberParse.h"

namespace {

bool IsLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

// Reads past characters for which skip(c) holds, pushing back the first other one.
template <typename Skip>
void SkipWhile(LCharSource& in, Skip skip)
{
    char c = 0;
    while (in.ReadByte(c)) {
        if (!skip(c)) {
            in.Unread();
            return;
        }
    }
}

bool ReadSignedDigits(LCharSource& in, int32_t& value)
{
    bool negative = false;
    bool digits = false;
    uint32_t magnitude = 0;
    char c = 0;
    bool more = in.ReadByte(c);
    while (more && (c == '+' || c == '-')) {
        negative = negative || c == '-';
        more = in.ReadByte(c);
    }
    while (more && IsDigitChar(static_cast<unsigned char>(c))) {
        magnitude = magnitude * 10u + static_cast<uint32_t>(c - '0');
        digits = true;
        more = in.ReadByte(c);
    }
    if (more)
        in.Unread();
    value = static_cast<int32_t>(negative ? 0u - magnitude : magnitude);
    return digits;
}

} // namespace

void SkipWhiteSpace(LCharSource& in)
{
    SkipWhile(in, [](char c) { return IsSpaceChar(static_cast<unsigned char>(c)); });
}

void SkipBlanks(LCharSource& in)
{
    SkipWhile(in, [](char c) { return IsSpaceChar(static_cast<unsigned char>(c)) && !IsLineEnd(c); });
}

bool ReadInt(LCharSource& in, int32_t& value)
{
    SkipWhiteSpace(in);
    return ReadSignedDigits(in, value);
}

bool ReadLineInt(LCharSource& in, int32_t& value)
{
    SkipBlanks(in);
    return ReadSignedDigits(in, value);
}

char ReadLineChar(LCharSource& in)
{
    SkipBlanks(in);
    char c = 0;
    return in.ReadByte(c) ? c : '\0';
}

bool SkipLineEnd(LCharSource& in)
{
    char c = 0;
    do {
        if (!in.ReadByte(c))
            return false;
    } while (!IsLineEnd(c));
    const char partner = c == '\r' ? '\n' : '\r';
    char next = 0;
    if (in.ReadByte(next) && next != partner)
        in.Unread();
    return true;
}
