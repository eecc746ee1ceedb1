#pragma once
#include "platform/files/FileSystem.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace plat {

enum class ForkKind { Data, Resource };
enum class ForkAccess { Read, ReadWrite };

// An open data fork: a regular file over a file descriptor. Reads and writes are positional
// and looped until complete, so a short transfer is only ever the end of the file. Files
// here have no resource forks: opening one always reports NotFound.
class DataFork {
public:
    DataFork() = default;
    ~DataFork();
    DataFork(const DataFork&) = delete;
    DataFork& operator=(const DataFork&) = delete;

    // Opens an existing file as OpenFileDescriptor does. An open fork is closed first.
    [[nodiscard]] FileResult Open(const std::string& path, ForkAccess access, ForkKind kind = ForkKind::Data);
    void Close();
    bool IsOpen() const { return fFd >= 0; }
    bool CanWrite() const { return fWritable; }
    int Descriptor() const { return fFd; }

    // Reads up to count bytes at position; count receives the bytes delivered (short only at
    // the end of the file, which is not a failure).
    [[nodiscard]] FileResult ReadAt(uint64_t position, void* buffer, size_t& count) const;
    // Writes all count bytes at position, or fails.
    [[nodiscard]] FileResult WriteAt(uint64_t position, const void* data, size_t count) const;
    [[nodiscard]] FileResult GetSize(uint64_t& size) const;
    [[nodiscard]] FileResult SetSize(uint64_t size) const;

private:
    int fFd = -1;
    bool fWritable = false;
};

// The one way a file is opened: opening never waits (a named pipe without a writer would block
// for ever), then the descriptor itself says what was opened. Reading takes only a plain file;
// writing also takes a device (a disk, /dev/full), never a pipe, a socket or a folder. The
// descriptor given back blocks as usual and closes on exec.
[[nodiscard]] FileResult OpenFileDescriptor(const std::string& path, ForkAccess access, int& fd);

// Positional transfers on a descriptor, looped until complete; shared by the synchronous
// fork and the background worker.
FileResult ReadFully(int fd, uint64_t position, void* buffer, size_t& count);
FileResult WriteFully(int fd, uint64_t position, const void* data, size_t count);

} // namespace plat
