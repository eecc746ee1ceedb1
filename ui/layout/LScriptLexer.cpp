// The tokens of the layout script language.
#include "ui/layout/LScript.h"
#include "ui/layout/LScriptSource.h"
#include "ui/layout/LayoutChars.h"

namespace {

enum : uint32_t { kTokEnd = 0, kTokName = 1, kTokNumber = 2, kTokArgCount = 3 };

bool IsSpace(uint8_t c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

bool IsSingleCharToken(uint8_t c)
{
    switch (c) {
    case '!': case '#': case '$': case '&': case '(': case ')': case '*': case '+': case ',': case '-':
    case '.': case '/': case ':': case ';': case '<': case '=': case '>': case '?': case '@': case '[':
    case ']': case '^': case '|':
        return true;
    default:
        return false;
    }
}

} // namespace

void LScript::Next()
{
    fToken = ScanToken();
}

uint32_t LScript::ScanToken()
{
    uint8_t c = 0;
    while (fSource->GetChar(c)) {
        if (LayoutChars::IsNameStart(c)) {
            ScanName(c);
            return kTokName;
        }
        if (LayoutChars::IsDigit(c)) {
            ScanNumber(c);
            return kTokNumber;
        }
        switch (c) {
        case '"':
            ScanString();
            return kTokName;
        case '.': {
            uint8_t d = 0;
            if (fSource->GetChar(d)) {
                fSource->UngetChar();
                if (LayoutChars::IsDigit(d)) {
                    ScanNumber(c);
                    return kTokNumber;
                }
            }
            return '.';
        }
        case '/':
            if (SkipComment())
                continue;
            return WithEquals(c);
        case '!': case '<': case '=': case '>': case '*':
            return WithEquals(c);
        case '+': case '-': {
            uint8_t d = 0;
            if (fSource->GetChar(d)) {
                if (d == c)
                    return c + 160u;
                if (d == '=')
                    return c + 128u;
                fSource->UngetChar();
            }
            return c;
        }
        case '$': {
            uint8_t d = 0;
            if (fSource->GetChar(d)) {
                if (d == '#')
                    return kTokArgCount;
                fSource->UngetChar();
            }
            return c;
        }
        default:
            if (IsSingleCharToken(c))
                return c;
            break; // white space and every other byte is skipped
        }
    }
    return kTokEnd;
}

// The two-character form "c=" when "=" follows, else the single character.
uint32_t LScript::WithEquals(uint8_t c)
{
    uint8_t d = 0;
    if (fSource->GetChar(d)) {
        if (d == '=')
            return c + 128u;
        fSource->UngetChar();
    }
    return c;
}

// After a "/": skips a block or line comment and returns true, or returns false with the
// following byte put back.
bool LScript::SkipComment()
{
    uint8_t d = 0;
    if (!fSource->GetChar(d))
        return false;
    if (d == '/') {
        while (fSource->GetChar(d)) {
            if (d == '\r' || d == '\n')
                break;
        }
        return true;
    }
    if (d != '*') {
        fSource->UngetChar();
        return false;
    }
    // A block comment ends at "*/"; the byte read after a "*" does not start a new check.
    while (fSource->GetChar(d)) {
        if (d == '*') {
            if (!fSource->GetChar(d) || d == '/')
                break;
        }
    }
    return true;
}

void LScript::ScanName(uint8_t first)
{
    fName.assign(1, static_cast<char>(first));
    uint8_t c = 0;
    while (fSource->GetChar(c)) {
        if (!LayoutChars::IsNamePart(c)) {
            fSource->UngetChar();
            break;
        }
        if (fName.size() < kMaxNameLength)
            fName.push_back(static_cast<char>(c));
    }
}

void LScript::ScanNumber(uint8_t first)
{
    bool seenPoint = first == '.';
    uint32_t value = seenPoint ? 0u : static_cast<uint32_t>(first - '0');
    uint8_t c = 0;
    while (fSource->GetChar(c)) {
        if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else if (LayoutChars::IsDigit(c)) {
            if (!seenPoint)
                value = value * 10u + static_cast<uint32_t>(c - '0');
        } else {
            fSource->UngetChar();
            break;
        }
    }
    fNumber = static_cast<int32_t>(value);
}

// A string literal: bytes up to the closing quote, with backslash escapes; adjacent literals
// separated by white space join into one text.
void LScript::ScanString()
{
    fName.clear();
    uint8_t c = 0;
    for (;;) {
        while (fSource->GetChar(c) && c != '"') {
            if (c == '\\' && fSource->GetChar(c))
                c = c == 't' ? '\t' : c == 'n' ? '\n' : c;
            if (fName.size() < kMaxNameLength)
                fName.push_back(static_cast<char>(c));
        }
        bool more = false;
        while (fSource->GetChar(c)) {
            if (IsSpace(c))
                continue;
            if (c == '"')
                more = true;
            else
                fSource->UngetChar();
            break;
        }
        if (!more)
            return;
    }
}
