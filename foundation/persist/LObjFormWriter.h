#pragma once
#include "foundation/streams/CIffChunk.h"
#include "foundation/streams/CMemStream.h"

#include <cstdint>

class LByteBuffer;
class LObject;

// Writes records into memory as a tree of IFF chunks: one container chunk (typed with the
// caller's creator code, its data starting with the caller's class code) holding one record
// chunk per record. Errors stay in the memory stream; a buffer that cannot grow leaves the
// bytes written so far.
class LObjFormWriter {
public:
    // Begins the container chunk in `buffer`, which must outlive the writer.
    LObjFormWriter(uint32_t creator, uint32_t cls, LByteBuffer& buffer);
    // Ends the container; the buffer then holds exactly the bytes written.
    ~LObjFormWriter();
    LObjFormWriter(const LObjFormWriter&) = delete;
    LObjFormWriter& operator=(const LObjFormWriter&) = delete;

    // Writes one record chunk, or the null record for null.
    void WriteObject(const LObject* record);
    uint32_t Error() const { return fStream.Error(); }

    // One record chunk (or the null record) inside `parent`.
    static void WriteRecord(CIffChunk& parent, const LObject* record);

private:
    uint32_t fCreator;
    uint32_t fClass;
    CMemStream fStream;
    CIffChunk fContainer;
};
