#pragma once
#include "foundation/streams/LStream.h"
#include "platform/files/DataFork.h"

#include <string_view>


// A stream over a file's fork with direct transfers. The file must exist; when it cannot be
// opened the stream has error 1 and does nothing.
class CForkStream : public LStream {
public:
    enum : uint32_t {
        kNoCache = 2,        // transfers should not fill the system's cache
        kResourceFork = 4,   // the resource fork instead of the data fork (files here have none)
    };

    // The path is a file location or a POSIX path.
    CForkStream(std::string_view path, uint32_t mode, uint32_t openFlags);
    ~CForkStream() override;

    void SetPosition(uint64_t newPosition) override;
    void SetEOF() override;
    void Write(const void* data, uint64_t count) override;
    void Read(void* buffer, uint64_t* count) override;
    uint64_t GetSize() override;

    bool IsOpen() const { return fOpen; }
    // Why the file did not open (Ok when it did).
    plat::FileResult OpenResult() const { return fOpenResult; }
    uint32_t OpenFlags() const { return fOpenFlags; }

private:
    plat::DataFork fFork;
    uint32_t fOpenFlags;
    bool fOpen = false;
    plat::FileResult fOpenResult = plat::FileResult::Ok;
};
