#include "outputs/defs/CDefReader.h"

#include "foundation/text/NumberParse.h"

#include <new>

namespace {

bool IsWordChar(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c >= 0x80;
}

// Tabs and line ends inside a word are skipped without ending it.
bool IsSkippedInWord(unsigned char c)
{
    return c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

} // namespace

CDefReader::CDefReader(std::string_view text) : fInput(text)
{
    if (fInput.substr(0, 3) == "\xEF\xBB\xBF")
        fPos = 3;
}

CDefReader::Kind CDefReader::Fail(uint32_t code)
{
    if (fError == kNoError)
        fError = code;
    fKind = Kind::End;
    return fKind;
}

CDefReader::Kind CDefReader::NextToken()
{
    if (fError != kNoError)
        return Fail(fError);
    while (fPos < fInput.size() && IsSpaceChar(static_cast<unsigned char>(fInput[fPos])))
        ++fPos;
    fTokenStart = fPos;
    if (fPos >= fInput.size())
        return fKind = Kind::End;
    const unsigned char c = static_cast<unsigned char>(fInput[fPos]);
    try {
        if (IsWordChar(c)) {
            ReadWord();
            return fKind = Kind::Text;
        }
        if (c == '"') {
            ReadQuoted();
            return fError == kNoError ? (fKind = Kind::Text) : Fail(fError);
        }
    } catch (const std::bad_alloc&) {
        return Fail(kOutOfMemory);
    }
    ++fPos;
    switch (c) {
    case ':': return fKind = Kind::Colon;
    case ',': return fKind = Kind::Comma;
    case ';': return fKind = Kind::Semicolon;
    case '{': return fKind = Kind::Open;
    case '}': return fKind = Kind::Close;
    default: --fPos; return Fail(kBadCharacter);
    }
}

void CDefReader::ReadWord()
{
    fText.clear();
    size_t pendingBlanks = 0;
    while (fPos < fInput.size()) {
        const unsigned char c = static_cast<unsigned char>(fInput[fPos]);
        if (IsWordChar(c)) {
            fText.append(pendingBlanks, ' ');
            pendingBlanks = 0;
            fText.push_back(static_cast<char>(c));
        } else if (c == ' ') {
            ++pendingBlanks;
        } else if (!IsSkippedInWord(c)) {
            break;
        }
        ++fPos;
    }
}

void CDefReader::ReadQuoted()
{
    fText.clear();
    ++fPos; // the opening quote
    while (fPos < fInput.size()) {
        char c = fInput[fPos++];
        if (c == '"')
            return;
        if (c == '\\') {
            if (fPos >= fInput.size())
                break;
            c = fInput[fPos++];
        }
        fText.push_back(c);
    }
    fError = kSyntaxError; // the input ended inside the text
}
