#include "platform/files/FileTransfer.h"
#include "platform/files/DataFork.h"

#include <condition_variable>
#include <deque>
#include <thread>

namespace plat {

// The one worker thread of background file transfers, started on first use.
class FileWorker {
public:
    static FileWorker& Shared()
    {
        static FileWorker worker;
        return worker;
    }

    std::mutex& Mutex() { return fMutex; }
    std::condition_variable& IdleCondition() { return fIdle; }

    // Called with the mutex held.
    void Enqueue(FileTransfer* transfer)
    {
        fQueue.push_back(transfer);
        fWork.notify_one();
    }

private:
    FileWorker() : fThread([this] { Run(); }) {}

    ~FileWorker()
    {
        {
            std::lock_guard lock(fMutex);
            fStop = true;
        }
        fWork.notify_one();
        fThread.join();
    }

    void Run()
    {
        std::unique_lock lock(fMutex);
        for (;;) {
            fWork.wait(lock, [this] { return fStop || !fQueue.empty(); });
            if (fQueue.empty())
                return;
            FileTransfer* transfer = fQueue.front();
            fQueue.pop_front();
            lock.unlock();
            transfer->Perform();
            lock.lock();
            transfer->fInProgress = false;
            fIdle.notify_all();
        }
    }

    std::mutex fMutex;
    std::condition_variable fWork;
    std::condition_variable fIdle;
    std::deque<FileTransfer*> fQueue;
    bool fStop = false;
    std::thread fThread;
};

FileTransfer::FileTransfer(std::function<void()> completion) : fCompletion(std::move(completion)) {}

FileTransfer::~FileTransfer() { WaitIdle(); }

bool FileTransfer::Start(int fd, Kind kind, uint64_t position, void* buffer, size_t length)
{
    FileWorker& worker = FileWorker::Shared();
    std::lock_guard lock(worker.Mutex());
    if (fInProgress)
        return false;
    fFd = fd;
    fKind = kind;
    fPosition = position;
    fBuffer = buffer;
    fLength = length;
    fResult = FileResult::Ok;
    fTransferred = 0;
    fInProgress = true;
    worker.Enqueue(this);
    return true;
}

bool FileTransfer::InProgress() const
{
    std::lock_guard lock(FileWorker::Shared().Mutex());
    return fInProgress;
}

void FileTransfer::WaitIdle() const
{
    FileWorker& worker = FileWorker::Shared();
    std::unique_lock lock(worker.Mutex());
    worker.IdleCondition().wait(lock, [this] { return !fInProgress; });
}

FileResult FileTransfer::Result() const
{
    std::lock_guard lock(FileWorker::Shared().Mutex());
    return fResult;
}

size_t FileTransfer::Transferred() const
{
    std::lock_guard lock(FileWorker::Shared().Mutex());
    return fTransferred;
}

void FileTransfer::Perform()
{
    // The fields were set before the transfer was queued and nobody changes them while it is
    // in progress, so the worker reads them without the lock.
    FileResult result;
    size_t count = fLength;
    if (fKind == Kind::Read) {
        result = ReadFully(fFd, fPosition, fBuffer, count);
    } else {
        result = WriteFully(fFd, fPosition, fBuffer, fLength);
        count = result == FileResult::Ok ? fLength : 0;
    }
    {
        std::lock_guard lock(FileWorker::Shared().Mutex());
        fResult = result;
        fTransferred = count;
    }
    if (fCompletion)
        fCompletion();
}

} // namespace plat
