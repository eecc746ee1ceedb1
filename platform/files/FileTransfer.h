#pragma once
#include "platform/files/FileSystem.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>

namespace plat {

// One background read or write on a descriptor, carried out by the process's one file worker
// thread. Transfers run one after another in the order they were started. The completion
// function runs on the worker thread once the transfer is over; only after it has returned
// does the transfer count as idle again, so WaitIdle guarantees that the worker is done
// with the buffer, the descriptor and the completion's context.
class FileTransfer {
public:
    enum class Kind { Read, Write };

    explicit FileTransfer(std::function<void()> completion = {});
    ~FileTransfer();   // waits until idle
    FileTransfer(const FileTransfer&) = delete;
    FileTransfer& operator=(const FileTransfer&) = delete;

    // Hands the transfer to the worker; false (nothing started) while one is in progress.
    bool Start(int fd, Kind kind, uint64_t position, void* buffer, size_t length);

    bool InProgress() const;
    void WaitIdle() const;

    // Results of the last finished transfer.
    FileResult Result() const;
    size_t Transferred() const;

private:
    friend class FileWorker;
    void Perform();

    std::function<void()> fCompletion;
    int fFd = -1;
    Kind fKind = Kind::Read;
    uint64_t fPosition = 0;
    void* fBuffer = nullptr;
    size_t fLength = 0;
    FileResult fResult = FileResult::Ok;
    size_t fTransferred = 0;
    bool fInProgress = false;
};

} // namespace plat
