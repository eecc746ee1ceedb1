#include "foundation/text/TextTokens.h"

#include "foundation/text/LCharSource.h"
#include "foundation/core/LStrStream.h"
#include "foundation/core/LStringRef.h"
#include "foundation/text/NumberParse.h"

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

// Copies characters for which keep(c) holds, pushing back the first other one; true when one
// was copied.
template <typename Keep>
bool CopyWhile(LCharSource& in, LStrStream& out, Keep keep)
{
    bool copied = false;
    char c = 0;
    while (in.ReadByte(c)) {
        if (!keep(c)) {
            in.Unread();
            break;
        }
        out.PutChar(c);
        copied = true;
    }
    return copied;
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

bool ReadWord(LCharSource& in, LStrStream& out)
{
    SkipWhiteSpace(in);
    return CopyWhile(in, out, [](char c) { return !IsSpaceChar(static_cast<unsigned char>(c)); });
}

bool ReadWordToString(LCharSource& in, LStringRef& out)
{
    LStrStream word;
    const bool found = ReadWord(in, word);
    out = LStringRef(word.View());
    return found;
}

bool ReadLineWord(LCharSource& in, LStrStream& out)
{
    SkipBlanks(in);
    return CopyWhile(in, out, [](char c) { return !IsSpaceChar(static_cast<unsigned char>(c)); });
}

bool ReadNumberToken(LCharSource& in, LStrStream& out)
{
    SkipBlanks(in);
    bool started = false; // a digit or the point was copied
    bool point = false;
    return CopyWhile(in, out, [&](char c) {
        if (c == '+' || c == '-')
            return !started;
        if (c == '.') {
            if (point)
                return false;
            point = started = true;
            return true;
        }
        if (IsDigitChar(static_cast<unsigned char>(c)))
            return started = true;
        return false;
    });
}

bool ReadToLineEnd(LCharSource& in, LStrStream& out)
{
    return CopyWhile(in, out, [](char c) { return !IsLineEnd(c); });
}

void CopyTrimmed(LCharSource& in, LStrStream& out)
{
    SkipWhiteSpace(in);
    LStrStream held; // white space waiting for a character after it
    char c = 0;
    while (in.ReadByte(c)) {
        if (IsSpaceChar(static_cast<unsigned char>(c))) {
            held.PutChar(c);
            continue;
        }
        if (held.Length() > 0) {
            out.Write(held.View());
            held.Clear();
        }
        out.PutChar(c);
    }
}

bool ReadTextLine(LCharSource& in, LStringRef& out)
{
    LStrStream line;
    const bool copied = ReadToLineEnd(in, line);
    out = LStringRef(line.View());
    const bool ended = SkipLineEnd(in);
    return copied || ended;
}
