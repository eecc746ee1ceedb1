#pragma once
#include "foundation/streams/LStream.h"

class CMacAsyncPB;

// A stream over a fork that an asynchronous fork object has opened, with synchronous
// transfers at the stream's position. The fork object stays the owner of the file.
class CForkRefStream : public LStream {
public:
    CForkRefStream(CMacAsyncPB* file, uint32_t mode);

    // Stores the position even after an error.
    void SetPosition(uint64_t newPosition) override;
    // Sets the file's size to the position.
    void SetEOF() override;
    void Write(const void* data, uint64_t count) override;
    void Read(void* buffer, uint64_t* count) override;

private:
    CMacAsyncPB* fFile;
};
