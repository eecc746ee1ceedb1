#pragma once
#include "foundation/streams/LStream.h"

class CMacAsyncPB;

// NOTE: the least of the stream over an open asynchronous fork object that the WAV writer and
// reader need (synchronous transfers at the stream's position), until the file layer's own
// one lands. The stream borrows the fork object.
class CForkRefStream : public LStream {
public:
    CForkRefStream(CMacAsyncPB* file, uint32_t mode);

    void SetPosition(uint64_t newPosition) override { position = newPosition; }
    void SetEOF() override;
    void Write(const void* data, uint64_t count) override;
    void Read(void* buffer, uint64_t* count) override;
    uint64_t GetSize() override;

private:
    CMacAsyncPB* fFile;
};
