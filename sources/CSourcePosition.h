#pragma once
#include <cstdint>

// Where a text source's parser stood between two bytes: with the byte offset of a position
// it is enough to go on parsing exactly where the parser stopped, whatever the line ends.
struct CTextParseState {
    uint32_t state = 0;       // tokenizer state
    int32_t valueIndex = -1;
    uint32_t keyword = 0;
    uint32_t tokenLength = 0; // bytes of the pending token
    uint64_t tokenSpan = 0;   // bytes from the token's first byte to the position
    uint16_t value[8] = {};   // values of the sample line being read
    uint8_t valueCount = 0;
};

// A saved stream position. Only the source that filled it reads it: text sources keep the
// file offset of the next unread byte and their parser state, sound-file sources keep their
// player's frame position in `offset` and leave the rest untouched.
struct CSourcePosition {
    uint64_t offset = 0;
    uint32_t sampleRate = 0;
    float timeOffset = 0.0f;  // seconds
    uint32_t sampleCount = 0; // samples since the time offset
    CTextParseState parse;
};
