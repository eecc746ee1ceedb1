#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Splits the text of a control-definition file into tokens: words, quoted texts, the
// punctuation ':', ',', ';', '{', '}', and the end of the input.
class CDefReader {
public:
    enum class Kind : uint8_t { End, Text, Colon, Comma, Semicolon, Open, Close };
    enum : uint32_t {
        kNoError = 0,
        kOutOfMemory = 1,
        kBadCharacter = 2, // a character that cannot begin a token
        kSyntaxError = 3,  // also the end of input inside a quoted text
    };

    // Reads `text`; the caller keeps it alive. A leading UTF-8 byte-order mark is skipped.
    explicit CDefReader(std::string_view text);

    // Reads the next token into Kind()/Text(). After an error every call answers End.
    Kind NextToken();

    Kind Current() const { return fKind; }
    // The text of the last text token.
    const std::string& Text() const { return fText; }
    uint32_t Error() const { return fError; }
    // Byte offset where the last token began (or the error was found).
    size_t Offset() const { return fTokenStart; }

private:
    void ReadWord();
    void ReadQuoted();
    Kind Fail(uint32_t code);

    std::string_view fInput;
    size_t fPos = 0;
    size_t fTokenStart = 0;
    Kind fKind = Kind::End;
    std::string fText;
    uint32_t fError = kNoError;
};
