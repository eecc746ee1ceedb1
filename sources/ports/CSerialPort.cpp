#include "sources/ports/CSerialPort.h"

#include "foundation/async/LAsyncQueue.h"
#include "foundation/core/StrEqual.h"
#include "platform/io/Serial.h"
#include "sources/ports/CFdWatcher.h"
#include "sources/ports/CSerialPortList.h"
#include "controls/settings/RunLengthyTask.h"

const char* CSerialPort::msgRead = "CSerialPort_Read";
const char* CSerialPort::msgSent = "CSerialPort_Sent";

namespace {

constexpr uint32_t kRetryMs = 1000;

int32_t OpenResult(plat::IoError err) { return err == plat::IoError::Busy ? 2 : 1; }

// Opening a device may block (a driver that waits for its hardware), so it runs as a
// lengthy task on a worker thread.
struct OpenJob {
    const char* path;
    plat::IoError err = plat::IoError::None;
};

int32_t OpenDeviceTask(void* context)
{
    auto* job = static_cast<OpenJob*>(context);
    return plat::OpenSerialDevice(job->path, job->err);
}

struct CloseJob {
    CSerialPort* port;
    std::unique_ptr<LThread> reconnect;
};

} // namespace

CSerialPort* MakeSerialPort(LHandler* parent, LAsyncQueue* queue) { return new CSerialPort(parent, queue); }

CSerialPort::CSerialPort(LHandler* parent, LAsyncQueue* queue)
    : LHandler(parent), fQueue(queue), fWatcher(CFdWatcher::Acquire(queue)), fWriteDone(this, queue),
      fReadDone(this, queue), fErrorNote(this, queue)
{
    fReconnected.Init(this, OnReconnected);
}

CSerialPort::~CSerialPort()
{
    Close();
    CFdWatcher::Release();
}

bool CSerialPort::IsOpen() const
{
    plat::ScopedLock lock(fFdMutex);
    return fFd >= 0;
}

// The queries take the queue lock: the dispatch thread changes the transfer state under it.
bool CSerialPort::CanWrite() const
{
    LAsyncQueueLock lock(*fQueue);
    return IsOpen() && !fWritePending;
}

bool CSerialPort::CanRead() const
{
    LAsyncQueueLock lock(*fQueue);
    return IsOpen() && !fReadPending;
}

int32_t CSerialPort::Open(const CSerialPortSpec& fileSpec)
{
    if (IsOpen())
        return 0;
    const LStringRef path = FindSerialDevice(fileSpec.name.Text());
    if (path.IsEmpty())
        return 1;
    OpenJob job{path.Text()};
    const int fd = RunLengthyTask(&job, OpenDeviceTask);
    if (fd < 0)
        return OpenResult(job.err);
    fSpec = fileSpec;
    fBaud = 0;
    fStopBits = 0;
    fFlow = 0;
    {
        plat::ScopedLock lock(fFdMutex);
        fFd = fd;
        fWatcher->Register(fd, CFdCallback{this, OnReady});
    }
    LAsyncQueueLock lock(*fQueue);
    fWanted = true;
    fError = false;
    return 0;
}

void CSerialPort::Close()
{
    // Under the queue lock no completion of this port is being delivered meanwhile, and
    // none reaches it afterwards. The reconnect thread ends before the descriptor is
    // touched, so the two never race for it.
    LAsyncQueueLock lock(*fQueue);
    if (fReconnect || IsOpen()) {
        // The reconnect thread leaves this object before the worker ends it, so that a
        // reconnection reported meanwhile finds the port closed.
        CloseJob job{this, std::move(fReconnect)};
        (void)RunLengthyTask(&job, CloseTask);
    }
    fWriteDone.Stop();
    fReadDone.Stop();
    fWanted = false;
    fReadPending = false;
    fWritePending = false;
    fReadLength = 0;
    fWriteLength = 0;
    fError = false;
    fErrorNote.Cancel();
}

// Unregisters the descriptor, then closes it, so the number is never watched for another file.
void CSerialPort::DropDescriptor()
{
    plat::ScopedLock lock(fFdMutex);
    if (fFd >= 0) {
        fWatcher->Unregister(fFd);
        plat::CloseFd(fFd);
        fFd = -1;
    }
}

void CSerialPort::SetStopBits(uint32_t n)
{
    fStopBits = n == 2 ? 2 : 1;
    plat::ScopedLock lock(fFdMutex);
    if (fFd >= 0)
        plat::SetSerialStopBits(fFd, n);
}

void CSerialPort::SetFlowControl(uint32_t mode)
{
    fFlow = mode + 1;
    plat::ScopedLock lock(fFdMutex);
    if (fFd >= 0)
        plat::SetSerialFlowControl(fFd, mode);
}

bool CSerialPort::SetBaudRate(uint32_t rate)
{
    fBaud = rate;
    plat::ScopedLock lock(fFdMutex);
    return fFd >= 0 && plat::SetSerialBaudRate(fFd, rate);
}

void CSerialPort::ApplySettings(int fd) const
{
    if (fStopBits)
        plat::SetSerialStopBits(fd, fStopBits);
    if (fFlow)
        plat::SetSerialFlowControl(fd, fFlow - 1);
    if (fBaud)
        plat::SetSerialBaudRate(fd, fBaud);
}

bool CSerialPort::Write(const void* data, uint32_t length)
{
    LAsyncQueueLock lock(*fQueue);
    if (!CanWrite() || (!data && length > 0))
        return false;
    fWriteBuffer = static_cast<const uint8_t*>(data);
    fWriteOffset = 0;
    fWriteLength = length;
    fWritePending = true;
    if (ContinueWrite() == Outcome::Done)
        fWriteDone.Start(0);
    return true;
}

bool CSerialPort::Read(void* buffer, uint32_t length)
{
    LAsyncQueueLock lock(*fQueue);
    if (!CanRead() || !buffer || length == 0)
        return false;
    fReadBuffer = static_cast<uint8_t*>(buffer);
    fReadOffset = 0;
    fReadLength = length;
    fReadPending = true;
    if (ContinueRead(false) == Outcome::Done)
        fReadDone.Start(0);
    return true;
}

// Reads what is there. A tty that reads nothing right after it was reported ready has hung
// up (its device went away): that is a failure, never a reason to wait again.
CSerialPort::Outcome CSerialPort::ContinueRead(bool afterReadiness)
{
    if (!fReadPending)
        return Outcome::Done;
    if (fError)
        return Outcome::Waiting;
    plat::ScopedLock lock(fFdMutex);
    if (fFd < 0)
        return Outcome::Waiting;
    bool first = true;
    while (fReadOffset < fReadLength) {
        plat::IoError err;
        const long n = plat::ReadFd(fFd, fReadBuffer + fReadOffset, fReadLength - fReadOffset, err);
        if (n > 0) {
            fReadOffset += uint32_t(n);
            first = false;
            continue;
        }
        const bool hungUp = n == 0 && first && afterReadiness && fReadOffset == 0;
        if (hungUp || (n < 0 && err != plat::IoError::WouldBlock && err != plat::IoError::Interrupted)) {
            Fail();
            return Outcome::Waiting;
        }
        break;
    }
    if (fReadOffset == 0) {
        fWatcher->Arm(fFd, CFdWatcher::kReadable);
        return Outcome::Waiting;
    }
    fReadPending = false;
    return Outcome::Done;
}

CSerialPort::Outcome CSerialPort::ContinueWrite()
{
    if (!fWritePending)
        return Outcome::Done;
    if (fError)
        return Outcome::Waiting;
    plat::ScopedLock lock(fFdMutex);
    if (fFd < 0)
        return Outcome::Waiting;
    if (fWriteOffset < fWriteLength) {
        plat::IoError err;
        const long n = plat::WriteFd(fFd, fWriteBuffer + fWriteOffset, fWriteLength - fWriteOffset, err);
        if (n > 0)
            fWriteOffset += uint32_t(n);
        if (n < 0 && err != plat::IoError::WouldBlock && err != plat::IoError::Interrupted) {
            Fail();
            return Outcome::Waiting;
        }
        if (fWriteOffset < fWriteLength) {
            fWatcher->Arm(fFd, CFdWatcher::kWritable);
            return Outcome::Waiting;
        }
    }
    fWritePending = false;
    return Outcome::Done;
}

// The device failed: pending operations wait, and the main thread starts reconnecting.
void CSerialPort::Fail()
{
    fError = true;
    fErrorNote.Post();
}

void CSerialPort::OnReady(void* context, uint32_t kind)
{
    auto* port = static_cast<CSerialPort*>(context);
    bool done = false;
    {
        LAsyncQueueLock lock(*port->fQueue);
        if (kind == CFdWatcher::kReadable)
            done = port->fReadPending && port->ContinueRead(true) == Outcome::Done;
        else
            done = port->fWritePending && port->ContinueWrite() == Outcome::Done;
    }
    if (done)
        LMessage::Send(LMessage(kind == CFdWatcher::kReadable ? msgRead : msgSent, port, port->Parent()));
}

void CSerialPort::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (msg.subject == &fReadDone && StrEqual(msg.type, LAsyncTimer::msgExpire)) {
        if (ContinueRead(false) == Outcome::Done)
            result = LMessage(msgRead, this, Parent());
        else
            LMessage::Clear(result);
        return;
    }
    if (msg.subject == &fWriteDone && StrEqual(msg.type, LAsyncTimer::msgExpire)) {
        if (ContinueWrite() == Outcome::Done)
            result = LMessage(msgSent, this, Parent());
        else
            LMessage::Clear(result);
        return;
    }
    if (msg.subject == &fErrorNote && StrEqual(msg.type, LAsyncEvent::msgNote)) {
        StartReconnect();
        LMessage::Clear(result);
        return;
    }
    LHandler::HandleMessage(result, msg);
}

void CSerialPort::StartReconnect()
{
    if (fReconnect || !fWanted)
        return;
    {
        plat::ScopedLock lock(fStopMutex);
        fStop = false;
    }
    fReconnectName = fSpec.name.Text();
    fReconnect = std::make_unique<LThread>();
    if (!fReconnect->Start(this, ReconnectEntry, -1))
        fReconnect.reset();
}

void CSerialPort::EndReconnectThread(std::unique_ptr<LThread> thread)
{
    if (!thread)
        return;
    {
        plat::ScopedLock lock(fStopMutex);
        fStop = true;
        fStopCondition.Broadcast();
    }
    thread->Join();
}

// On a lengthy-task worker: the reconnect thread ends before the descriptor is touched, so
// the two never race for it.
int32_t CSerialPort::CloseTask(void* context)
{
    auto* job = static_cast<CloseJob*>(context);
    job->port->EndReconnectThread(std::move(job->reconnect));
    job->port->DropDescriptor();
    return 0;
}

void CSerialPort::ReconnectEntry(void* self) { static_cast<CSerialPort*>(self)->ReconnectMain(); }

// On the reconnect thread: drop the failed descriptor, then look for the device by name
// once a second until it opens again or the port is closed.
void CSerialPort::ReconnectMain()
{
    DropDescriptor();
    while (WaitRetryOrStop()) {
        const LStringRef path = FindSerialDevice(fReconnectName.c_str());
        if (path.IsEmpty())
            continue;
        plat::IoError err;
        const int fd = plat::OpenSerialDevice(path.Text(), err);
        if (fd < 0)
            continue;
        ApplySettings(fd);
        {
            plat::ScopedLock stopLock(fStopMutex);
            if (fStop) {
                plat::CloseFd(fd);
                return;
            }
            plat::ScopedLock lock(fFdMutex);
            fFd = fd;
            fWatcher->Register(fd, CFdCallback{this, OnReady});
        }
        fReconnected.Signal();
        return;
    }
}

// Waits one retry period; false when the port is being closed.
bool CSerialPort::WaitRetryOrStop()
{
    plat::ScopedLock lock(fStopMutex);
    if (!fStop)
        (void)fStopCondition.WaitForMs(fStopMutex, kRetryMs);
    return !fStop;
}

void CSerialPort::OnReconnected(void* context) { static_cast<CSerialPort*>(context)->Resume(); }

// On the thread that made the port: the device is back; pending operations go on.
void CSerialPort::Resume()
{
    if (!fReconnect)
        return; // closed meanwhile
    fReconnect->Join();
    fReconnect.reset();
    LAsyncQueueLock lock(*fQueue);
    fError = false;
    if (fReadPending)
        fReadDone.Start(0);
    if (fWritePending)
        fWriteDone.Start(0);
}
