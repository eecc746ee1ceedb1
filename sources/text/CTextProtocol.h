#pragma once
#include "sources/CSourcePosition.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

// The character-driven tokenizer of the text line protocol: one table step per byte.
// Lines of hexadecimal values separated by blanks, or a keyword with an optional argument
// running to the line end. Feed reports completed values, sample lines and keyword lines.
class CTextProtocol {
public:
    // Results of Feed besides the keyword codes.
    enum : uint32_t { kNothing = 0, kValue = 1, kLine = 2 };
    // Keyword codes; 0 is any other keyword.
    enum : uint32_t { kOther = 0, kOv = 3, kSr = 4, kFr = 5, kBl = 6, kDn = 7, kTx = 8 };
    // Tokenizer states.
    enum : uint32_t {
        kLineStart = 0,
        kFirstToken = 1,
        kBetweenValues = 2,
        kLaterValue = 3,
        kInKeyword = 4,
        kAfterKeyword = 5,
        kInArgument = 6,
        kSampleLineEnded = 7,
        kSkipLine = 8,
        kArgumentFull = 9, // an argument reached the token limit: the rest of its line is dropped
        kStateCount = 10,
    };
    // The longest token kept. A value or keyword that grows past it makes its line bad; an
    // argument keeps its first kMaxToken bytes.
    static constexpr uint32_t kMaxToken = 4096;

    CTextProtocol() = default;
    CTextProtocol(const CTextProtocol&) = delete;
    CTextProtocol& operator=(const CTextProtocol&) = delete;

    // One step: the keyword code when a keyword line ended, else kLine when a sample line is
    // complete (reported by the byte after its line end), else kValue when a value ended,
    // else kNothing.
    uint32_t Feed(uint8_t c);
    // Feeds bytes until a step reports something (its result; `fed` counts the bytes up to and
    // including that one) or all n are fed (kNothing, fed = n). The same steps as Feed.
    uint32_t FeedRun(const uint8_t* bytes, size_t n, size_t& fed);
    // Line start with an empty token.
    void Reset();

    // True between lines: text can be inserted into the stream here.
    bool AtLineBoundary() const { return fState == kLineStart || fState == kSampleLineEnded; }
    uint32_t State() const { return fState; }
    int32_t ValueIndex() const { return fValueIndex; }
    uint32_t Keyword() const { return fKeyword; }
    // The token; its bytes are followed by a NUL.
    std::string_view Token() const { return {fToken, fTokenLength}; }
    // The low 16 bits of the token read as hexadecimal digits (non-digits count as 0).
    uint16_t TokenHex() const { return fHex; }

    // The state, without the token's bytes: they lie `tokenSpan` bytes before the position,
    // so whoever restores the state reads them back from the stream.
    void Save(CTextParseState& out) const;
    // Restores a saved state with the token's bytes. A token that does not have the saved
    // length (the stream changed) makes the rest of the line bad.
    void Restore(const CTextParseState& saved, std::string_view token);

private:
    // The steps that do more than extend a token.
    uint32_t Act(uint8_t actions, uint8_t c);
    void Append(uint8_t c);
    void ClearToken();
    void LookUpKeyword();

    int32_t fValueIndex = -1;
    uint32_t fKeyword = kOther;
    uint32_t fState = kLineStart;
    uint32_t fTokenLength = 0;
    uint16_t fHex = 0;        // the token's low 16 bits as a hexadecimal number
    uint64_t fFed = 0;        // bytes fed since the reset
    uint64_t fTokenStart = 0; // fFed at the token's first byte
    char fToken[kMaxToken + 1] = {};
};
