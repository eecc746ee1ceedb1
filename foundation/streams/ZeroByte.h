#pragma once
#include <cstdint>
#include <limits>

class LStream;

// True when the stream holds a zero byte within `limit` bytes from its position: the mark of a
// binary file (a sound, an image) where text is expected. A read error ends the search with
// false; the stream keeps the error for the caller.
bool HoldsZeroByte(LStream& stream, uint64_t limit = std::numeric_limits<uint64_t>::max());
