#pragma once
#include <cstdint>
#include <string_view>

class LStream;

// Lays out an Open Sound Control message on a stream: an address string, a type-tag string
// and big-endian arguments, each padded to a multiple of 4 bytes.
class COscWriter {
public:
    // Starts an element at the stream's position (no size prefix).
    void BeginElement(LStream& stream);
    // For an element with a size prefix, writes the size of what follows it; else nothing.
    void EndElement();
    // The text's bytes, then 4 - (length mod 4) zero bytes.
    void WriteString(std::string_view text);
    void WriteTypeTagStart();
    void WriteTypeTag(char tag);
    // At least one zero byte, then more until the element's length is a multiple of 4.
    void PadToWord();
    // The IEEE-754 single in big-endian order.
    void WriteFloat(float value);

private:
    void WriteByte(uint8_t byte);

    LStream* fStream = nullptr;
    uint64_t fStart = 0;
    bool fSized = false;
};

// Writes the message of one float argument: the address, ",f" and the value.
void WriteOscFloatMessage(LStream& stream, std::string_view address, float value);
