#pragma once
#include <cstdint>

// The interface of every sequential text reader: read a byte, push the last one back, read a
// block. The end of the input is a false result (or a short count), never an error.
class LCharSource {
public:
    LCharSource() = default;
    LCharSource(const LCharSource&) = delete;
    LCharSource& operator=(const LCharSource&) = delete;
    virtual ~LCharSource() = default;

    // The next byte; false at the end of the input.
    [[nodiscard]] virtual bool ReadByte(char& out) = 0;
    // Steps back over the byte read last.
    virtual void Unread() = 0;
    // Copies up to n bytes into buffer and returns how many were copied.
    virtual uint32_t Read(void* buffer, uint32_t n) = 0;
};
