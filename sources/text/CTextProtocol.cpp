#include "sources/text/CTextProtocol.h"

#include <array>
#include <cstring>

namespace {

enum : uint8_t { kLineEnd = 0, kBlank = 1, kHexDigit = 2, kOtherChar = 3 };

// Actions of a step, performed in this order.
enum : uint8_t {
    kClear = 1,      // C: empty the token
    kRestart = 2,    // R: value index -1
    kAppend = 4,     // A: append the byte to the token
    kKeyword = 8,    // K: look the token up as a keyword, then empty it
    kNextValue = 16, // V: value index + 1
    kWord = 32,      // W: a keyword line ended
    kLineDone = 64,  // L: a sample line is complete
};

struct Step {
    uint8_t next;
    uint8_t actions;
};

constexpr std::array<uint8_t, 256> BuildClasses()
{
    std::array<uint8_t, 256> classes{};
    for (int c = 0; c < 256; ++c) {
        uint8_t k = kOtherChar;
        if (c == '\r' || c == '\n')
            k = kLineEnd;
        else if (c == ' ' || c == '\t' || c == '\v' || c == '\f')
            k = kBlank;
        else if ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'))
            k = kHexDigit;
        classes[size_t(c)] = k;
    }
    return classes;
}

constexpr std::array<uint8_t, 256> kClasses = BuildClasses();

constexpr std::array<uint8_t, 256> BuildHexValues()
{
    std::array<uint8_t, 256> values{};
    for (int c = 0; c < 256; ++c) {
        if (c >= '0' && c <= '9')
            values[size_t(c)] = uint8_t(c - '0');
        else if (c >= 'a' && c <= 'f')
            values[size_t(c)] = uint8_t(c - 'a' + 10);
        else if (c >= 'A' && c <= 'F')
            values[size_t(c)] = uint8_t(c - 'A' + 10);
    }
    return values;
}

// The value of a hexadecimal digit; 0 for every other byte.
constexpr std::array<uint8_t, 256> kHexValues = BuildHexValues();

// Next state and actions by state and byte class (line end, blank, hex digit, other).
constexpr Step kTable[CTextProtocol::kStateCount][4] = {
    /* 0 line start   */ {{0, 0}, {0, 0}, {1, kClear | kRestart | kAppend}, {4, kClear | kAppend}},
    /* 1 first token  */ {{7, kNextValue}, {2, kNextValue}, {1, kAppend}, {4, kAppend}},
    /* 2 between      */ {{7, 0}, {2, 0}, {3, kClear | kAppend}, {8, 0}},
    /* 3 later value  */ {{7, kNextValue}, {2, kNextValue}, {3, kAppend}, {8, 0}},
    /* 4 keyword      */ {{0, kKeyword | kWord}, {5, kKeyword}, {4, kAppend}, {4, kAppend}},
    /* 5 after kw     */ {{0, kWord}, {5, 0}, {6, kAppend}, {6, kAppend}},
    /* 6 argument     */ {{0, kWord}, {6, kAppend}, {6, kAppend}, {6, kAppend}},
    /* 7 line ended   */
    {{0, kLineDone}, {0, kLineDone}, {1, kClear | kRestart | kAppend | kLineDone}, {4, kClear | kAppend | kLineDone}},
    /* 8 bad line     */ {{0, 0}, {8, 0}, {8, 0}, {8, 0}},
    /* 9 argument full*/ {{0, kWord}, {9, 0}, {9, 0}, {9, 0}},
};

// States whose token is still to be used; in the others it is stale or empty.
bool TokenMatters(uint32_t state)
{
    return state == CTextProtocol::kFirstToken || state == CTextProtocol::kLaterValue ||
           state == CTextProtocol::kInKeyword || state == CTextProtocol::kInArgument ||
           state == CTextProtocol::kArgumentFull;
}

} // namespace

uint32_t CTextProtocol::Feed(uint8_t c)
{
    const Step step = kTable[fState][kClasses[c]];
    fState = step.next;
    // Most bytes only extend a token that has begun.
    if (step.actions == kAppend && fTokenLength - 1 < kMaxToken - 1) {
        fToken[fTokenLength++] = char(c);
        fToken[fTokenLength] = '\0';
        fHex = uint16_t((fHex << 4) | kHexValues[c]);
        ++fFed;
        return kNothing;
    }
    return Act(step.actions, c);
}

uint32_t CTextProtocol::FeedRun(const uint8_t* bytes, size_t n, size_t& fed)
{
    for (size_t i = 0; i < n; ++i) {
        const uint32_t result = Feed(bytes[i]);
        if (result != kNothing) {
            fed = i + 1;
            return result;
        }
    }
    fed = n;
    return kNothing;
}

uint32_t CTextProtocol::Act(uint8_t actions, uint8_t c)
{
    uint32_t result = kNothing;
    if (actions != 0) {
        if (actions & kClear)
            ClearToken();
        if (actions & kRestart)
            fValueIndex = -1;
        if (actions & kAppend)
            Append(c);
        if (actions & kKeyword)
            LookUpKeyword();
        if (actions & kNextValue)
            ++fValueIndex;
        if (actions & kWord)
            result = fKeyword;
        else if (actions & kLineDone)
            result = kLine;
        else if (actions & kNextValue)
            result = kValue;
    }
    ++fFed;
    return result;
}

void CTextProtocol::Append(uint8_t c)
{
    if (fTokenLength >= kMaxToken) {
        // A line without a line end must not grow the token without bound.
        fState = (fState == kInArgument || fState == kArgumentFull) ? kArgumentFull : kSkipLine;
        return;
    }
    if (fTokenLength == 0)
        fTokenStart = fFed;
    fToken[fTokenLength++] = char(c);
    fToken[fTokenLength] = '\0';
    // Digit by digit modulo 2^16: a long value keeps its real low 16 bits.
    fHex = uint16_t((fHex << 4) | kHexValues[c]);
}

void CTextProtocol::ClearToken()
{
    fTokenLength = 0;
    fToken[0] = '\0';
    fHex = 0;
}

void CTextProtocol::LookUpKeyword()
{
    const std::string_view word = Token();
    fKeyword = kOther;
    if (word.size() == 2) {
        static constexpr struct {
            char text[3];
            uint32_t code;
        } kWords[] = {{"ov", kOv}, {"sr", kSr}, {"fr", kFr}, {"bl", kBl}, {"dn", kDn}, {"tx", kTx}};
        for (const auto& entry : kWords) {
            if (word[0] == entry.text[0] && word[1] == entry.text[1]) {
                fKeyword = entry.code;
                break;
            }
        }
    }
    ClearToken();
}

void CTextProtocol::Reset()
{
    fValueIndex = -1;
    fKeyword = kOther;
    fState = kLineStart;
    ClearToken();
    fFed = 0;
    fTokenStart = 0;
}

void CTextProtocol::Save(CTextParseState& out) const
{
    out.state = fState;
    out.valueIndex = fValueIndex;
    out.keyword = fKeyword;
    const bool keep = TokenMatters(fState) && fTokenLength > 0;
    out.tokenLength = keep ? fTokenLength : 0;
    out.tokenSpan = keep ? fFed - fTokenStart : 0;
}

void CTextProtocol::Restore(const CTextParseState& saved, std::string_view token)
{
    Reset();
    if (saved.state >= kStateCount)
        return;
    fState = saved.state;
    fValueIndex = saved.valueIndex;
    fKeyword = saved.keyword;
    if (!TokenMatters(fState))
        return;
    if (token.size() != saved.tokenLength || token.size() > kMaxToken || saved.tokenSpan < token.size()) {
        fState = kSkipLine;
        return;
    }
    for (const char c : token)
        Append(uint8_t(c));
    fFed = saved.tokenSpan;
    fTokenStart = 0;
}
