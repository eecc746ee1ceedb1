#pragma once
#include <cstdint>
#include <vector>

class LStream;

// The undo history: a ring of records in a scratch file. Each record is a 32-byte header
// {u32 total length, reserved, u64 id, u64 replay function, u8 sealed, reserved}, a caption
// framed by NULs, the edit's data and a u32 trailer repeating the total length. Numbers are
// in the machine's byte order: the file is private to the running process.
class CUndoRing {
public:
    static constexpr uint64_t kHeaderSize = 32;
    static constexpr uint64_t kTrailerSize = 4;
    // The smallest record: header, an empty caption (two NULs), no data, trailer.
    static constexpr uint64_t kMinRecord = kHeaderSize + 2 + kTrailerSize;

    struct Header {
        uint32_t total = 0;
        uint64_t id = 0;
        uint64_t replay = 0;
        uint8_t sealed = 0;
    };

    CUndoRing(LStream* stream, uint64_t capacity) : fStream(stream), fCapacity(capacity) {}

    // Whether records can be written and read (a stream without error).
    bool IsUsable() const;
    // Forgets every record (after a load, or when the file proved inconsistent).
    void ClearHistory();
    // Counts ClearHistory calls, so a replay in progress can tell its positions are void.
    uint32_t Epoch() const { return fEpoch; }

    // Raw access; false on a short read or a stream error.
    bool ReadAt(uint64_t position, void* buffer, uint64_t n) const;
    void WriteAt(uint64_t position, const void* data, uint64_t n);
    bool ReadU32At(uint64_t position, uint32_t& value) const;
    // The header of a record whose length was validated: at least the smallest record, inside
    // the file, trailer equal. False (nothing read) otherwise.
    bool ReadRecordHeader(uint64_t start, Header& header) const;
    void WriteHeader(uint64_t start, const Header& header);
    // Appends a header at cur (a record being begun).
    void AppendHeader(const Header& header);
    // The first NUL at or after `from` and before `limit`; false when none.
    bool FindNulForward(uint64_t from, uint64_t limit, uint64_t& at) const;
    // The last NUL before `from` and at or after `limit`; false when none.
    bool FindNulBackward(uint64_t from, uint64_t limit, uint64_t& at) const;
    // Replay functions written into headers: a reader calls only these.
    void NoteReplay(uint64_t replay);
    bool IsKnownReplay(uint64_t replay) const;
    // Writes at cur, first dropping the oldest records the new bytes overrun, and advances cur.
    void Append(const void* data, uint64_t n);
    // Skips n bytes at cur without writing.
    void Skip(uint64_t n) { cur += n; }

    // Begins a top-level record: wraps to 0 once cur has reached the capacity.
    void WrapIfFull();
    uint64_t Capacity() const { return fCapacity; }
    LStream* Stream() const { return fStream; }

    uint64_t cur = 0;       // where the next record begins (end of the last undoable one)
    uint64_t oldest = 0;    // start of the oldest record kept
    uint64_t top = 0;       // end of the newest record (end of the redo history)
    uint64_t wrapEnd = 0;   // where the data ended when writing last wrapped to 0
    uint64_t openStart = 0; // start of the outermost record being written
    uint8_t sealed = 0;
    uint8_t busy = 0;       // a record is open

private:
    void DropOverrun(uint64_t p, uint64_t n);
    void Extend(uint64_t end)
    {
        if (end > fEnd)
            fEnd = end;
    }

    LStream* fStream;
    uint64_t fCapacity;
    uint64_t fEnd = 0;  // high-water mark of the file: nothing valid lies beyond it
    uint32_t fEpoch = 0;
    std::vector<uint64_t> fReplays;
};
