#pragma once
#include "foundation/core/LByteBuffer.h"
#include "foundation/persist/LObjFormWriter.h"
#include "foundation/records/LObject.h"

#include <cstdint>
#include <memory>
#include <vector>

class LObject;

// Writes records for a drag item: the chunk form of the record model, its container typed
// with the caller's two codes, the records one after another.
class CDragRecordWriter {
public:
    CDragRecordWriter(uint32_t creator, uint32_t cls);

    void Write(const LObject* record);
    // Ends the container and answers its bytes; empty after a write error.
    std::vector<uint8_t> Finish();

private:
    static constexpr uint32_t kGrowth = 512;

    LByteBuffer fBuffer{kGrowth};
    std::unique_ptr<LObjFormWriter> fWriter;
};

// Reads back the records of a drag item written by CDragRecordWriter. Data larger than
// kMaxBytes, a container with other codes and records of another class give nothing; at most
// kMaxRecords records are read.
class CDragRecordReader {
public:
    static constexpr uint32_t kMaxBytes = 4u << 20;
    static constexpr uint32_t kMaxRecords = 10000;

    // The records of class (recordCreator, recordClass) in the container (creator, cls).
    static std::vector<LObjectPtr> ReadAll(const uint8_t* data, uint32_t size, uint32_t creator, uint32_t cls,
                                           uint32_t recordCreator, uint32_t recordClass);
};
