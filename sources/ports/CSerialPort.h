#pragma once
#include "foundation/async/LAsyncEvent.h"
#include "foundation/async/LAsyncTimer.h"
#include "foundation/core/LHandler.h"
#include "platform/threads/Condition.h"
#include "platform/threads/Mutex.h"
#include "shell/LMainSignal.h"
#include "shell/LThread.h"
#include "sources/ports/CSerialPortSpec.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

class CFdWatcher;
class LAsyncQueue;

// A serial device opened by name, read and written without blocking; completions reach the
// parent on the queue's thread. When the device fails (unplugged), a reconnect thread looks
// for a device of the same name once a second and the pending read or write resumes on it.
class CSerialPort : public LHandler {
public:
    static const char* msgRead;
    static const char* msgSent;

    CSerialPort(LHandler* parent, LAsyncQueue* queue);
    // Closes the port (ending any reconnection) and releases the watcher.
    ~CSerialPort() override;

    void HandleMessage(LMessage& result, const LMessage& msg) override;
    virtual uint32_t BytesRead() const { return fReadOffset; }
    virtual bool IsOpen() const;
    virtual bool CanWrite() const;
    virtual bool CanRead() const;
    // 0 success (also when already open), 1 not found or failed, 2 busy.
    [[nodiscard]] virtual int32_t Open(const CSerialPortSpec& fileSpec);
    virtual void Close();
    virtual void SetStopBits(uint32_t n);
    virtual void SetParityUnused() {}
    virtual void SetDataBitsUnused() {}
    virtual void SetFlowControl(uint32_t mode);
    virtual bool SetBaudRate(uint32_t rate);
    // The caller keeps the data until "CSerialPort_Sent". False when no write can start.
    virtual bool Write(const void* data, uint32_t length);
    // Completes with "CSerialPort_Read" once at least one byte arrived. False when no read
    // can start.
    virtual bool Read(void* buffer, uint32_t length);

    // Whether the port is between a device failure and its return.
    bool IsReconnecting() const { return fReconnect != nullptr; }
    const CSerialPortSpec& PortSpec() const { return fSpec; }

private:
    enum class Outcome { Done, Waiting };

    static void OnReady(void* context, uint32_t kind);
    static void OnReconnected(void* context);
    static void ReconnectEntry(void* self);
    void ReconnectMain();
    bool WaitRetryOrStop();
    void ApplySettings(int fd) const;
    Outcome ContinueRead(bool afterReadiness);
    Outcome ContinueWrite();
    void Fail();
    void DropDescriptor();
    void StartReconnect();
    // Ends a reconnect thread that was taken out of fReconnect: any thread.
    void EndReconnectThread(std::unique_ptr<LThread> thread);
    static int32_t CloseTask(void* context);
    void Resume();

    int fFd = -1;                  // guarded by fFdMutex
    uint32_t fWriteOffset = 0;
    uint32_t fWriteLength = 0;
    uint32_t fReadOffset = 0;
    uint32_t fReadLength = 0;
    uint8_t* fReadBuffer = nullptr;
    bool fReadPending = false;
    bool fWritePending = false;
    bool fError = false;
    bool fWanted = false;          // opened and not closed since
    const uint8_t* fWriteBuffer = nullptr;
    LAsyncQueue* fQueue;
    CFdWatcher* fWatcher;
    LAsyncTimer fWriteDone;
    LAsyncTimer fReadDone;
    LAsyncEvent fErrorNote;
    CSerialPortSpec fSpec;
    // Settings applied again when the device comes back (0: never set).
    std::atomic<uint32_t> fBaud{0};
    std::atomic<uint32_t> fStopBits{0};
    std::atomic<uint32_t> fFlow{0};
    mutable plat::Mutex fFdMutex;
    plat::Mutex fStopMutex;
    plat::Condition fStopCondition;
    bool fStop = false;            // guarded by fStopMutex
    std::string fReconnectName;
    LMainSignal fReconnected;
    std::unique_ptr<LThread> fReconnect;
};

CSerialPort* MakeSerialPort(LHandler* parent, LAsyncQueue* queue);
