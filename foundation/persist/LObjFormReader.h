#pragma once
#include "foundation/records/LObjSource.h"
#include "foundation/records/LObject.h"
#include "foundation/streams/CIffChunk.h"
#include "foundation/streams/CMemStream.h"

#include <cstdint>

// Reads records back from the chunk tree LObjFormWriter makes. Reading is tolerant: unknown
// chunks, classes and field tags are skipped, fields the data leaves out are set back to their
// defaults, and values go through the typed setters (without undo) so observers hear of every
// change. Records nested deeper than kMaxRecordDepth make the read fail.
class LObjFormReader : public LObjSource {
public:
    // Opens the container chunk of `size` bytes at `data` (kept alive by the caller).
    LObjFormReader(const void* data, uint32_t size);
    LObjFormReader(const LObjFormReader&) = delete;
    LObjFormReader& operator=(const LObjFormReader&) = delete;

    // The container's codes; both 0 when the data holds no container.
    uint32_t Creator() const { return fCreator; }
    uint32_t Class() const { return fClass; }

    // The next record, owned by the caller; null when no record chunk follows, its class is
    // not registered (the null record included), or the record cannot be read.
    LObjectPtr ReadObject() override;

    // Reads the field chunks inside `chunk` into an existing record; false when a child or
    // list element could not be made or inserted.
    [[nodiscard]] static bool ReadFields(CIffChunk& chunk, LObject* record, int depth);

private:
    uint32_t fCreator = 0;
    uint32_t fClass = 0;
    CMemStream fStream;
    CIffChunk fContainer;
};
