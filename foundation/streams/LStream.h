#pragma once
#include <cstdint>

// Random-access byte stream with a sticky error: a caller runs a whole sequence of writes or
// reads and tests Error() once at the end. The first error stays; once it is set, every
// operation does nothing and reads deliver 0 bytes. The end of the data is never an error:
// reads are just short.
class LStream {
public:
    enum : uint32_t { kReadOnly = 0, kReadWrite = 1 };   // any mode other than 1 is read-only
    enum : uint32_t {
        kNoError = 0,
        kOpenFailed = 1,      // the file could not be opened
        kReadOnlyError = 2,   // a write or size change on a read-only stream
        kReadError = 3,
        kWriteError = 4,      // a write or size change failed
    };

    explicit LStream(uint32_t mode);
    virtual ~LStream() = default;
    LStream(const LStream&) = delete;
    LStream& operator=(const LStream&) = delete;

    virtual void SetPosition(uint64_t newPosition) = 0;
    // Cuts or extends the stream's end to the current position.
    virtual void SetEOF() = 0;
    virtual void Write(const void* data, uint64_t count) = 0;
    // In: bytes wanted; out: bytes delivered.
    virtual void Read(void* buffer, uint64_t* count) = 0;
    // File streams move the position to the end of the file and return it; others only
    // return the position.
    virtual uint64_t GetSize() { return position; }

    // Stores the code only while no error is set.
    void SetError(uint32_t code);
    uint32_t Error() const { return fError; }
    uint32_t Mode() const { return fMode; }
    bool IsWritable() const { return fMode == kReadWrite; }
    // For writes and size changes: true when no error is set and the stream may be
    // written; a read-only stream gets error 2.
    [[nodiscard]] bool WriteAllowed();

    // Where the next transfer happens; callers read it to learn where they are.
    uint64_t position = 0;

private:
    uint32_t fMode;
    uint32_t fError = kNoError;
};
