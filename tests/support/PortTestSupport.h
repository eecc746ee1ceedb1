#pragma once
// Shared by the tests of ports and live sources: a real asynchronous queue, a main-thread
// pump, a thread-safe message log and small socket helpers.
#include "foundation/core/LHandler.h"
#include "foundation/core/LMessage.h"
#include "shell/CAsyncLoopThread.h"
#include "sources/ports/CSerialPortSpec.h"

#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace porttest {

using namespace std::chrono_literals;

// A queue with its dispatch thread; its notes drain on the thread that made it.
std::unique_ptr<CAsyncLoopThread> MakeQueue();

// Runs the calling thread's run loop and due main-thread timers until done() holds or the
// limit passes; returns done().
bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = 10s);
// Runs the main thread for a while (to show that nothing more arrives).
void PumpFor(std::chrono::milliseconds span);

// Records every message it is offered, from any thread, and consumes it. An optional
// action runs first (on the thread of the message).
class MessageLog : public LHandler {
public:
    explicit MessageLog(LHandler* parent = nullptr) : LHandler(parent) {}
    void HandleMessage(LMessage& result, const LMessage& msg) override;

    int Count(const std::string& type) const;
    std::vector<std::string> Types() const;
    bool WaitFor(const std::string& type, int count = 1, std::chrono::milliseconds limit = 10s);
    void Clear();

    std::function<bool(const LMessage&)> onMessage; // returns false to pass the message on

private:
    mutable std::mutex fMutex;
    std::vector<std::pair<std::string, LHandler*>> fSeen;
};

// A port number that was free a moment ago (bound by a socket that is closed again).
uint16_t FreePort();
// A blocking loopback client socket connected to the port; -1 on failure.
int ConnectLoopback(uint16_t port);
// A listening loopback socket on any port; the port goes to out.
int ListenLoopback(uint16_t& port);
// Reads until count bytes arrived, the peer closed or the limit passed; runs the main
// thread meanwhile.
std::string ReadExactly(int fd, size_t count, std::chrono::milliseconds limit = 5s);
bool WriteAll(int fd, const std::string& bytes);
// A datagram socket bound to the loopback address; its port goes to out.
int BoundLoopbackUdp(uint16_t& port);
// Sends a datagram from fd to the loopback port.
bool SendLoopbackDatagram(int fd, uint16_t port, const std::string& bytes);

// A pseudo-terminal: the master end stays with the test, the slave path stands for a
// serial device.
struct Pty {
    int master = -1;
    std::string slavePath;
};
Pty OpenPty();
// A name list entry for SONALYX_SERIAL_PORTS is set once per process; a test points the name
// at a device by replacing the link the entry names.
std::string SerialLinkFor(const std::string& name);
// What a serial port is opened by: the device of that name.
CSerialPortSpec SpecNamed(const char* name);
void PointSerialName(const std::string& name, const std::string& devicePath);

// A serial device that can be unplugged and plugged back: socat makes a pseudo-terminal and
// a link to it under the given path (a name of SONALYX_SERIAL_PORTS points there). What the
// test writes reaches the device's reader; what the program sends is read back. Unplugging
// ends socat, which closes the terminal and removes the link.
class SocatDevice {
public:
    SocatDevice() = default;
    ~SocatDevice();
    SocatDevice(const SocatDevice&) = delete;
    SocatDevice& operator=(const SocatDevice&) = delete;

    // Starts socat; false when the link did not appear in time.
    bool Plug(const std::string& linkPath, std::chrono::milliseconds limit = 5s);
    void Unplug();
    bool Write(const std::string& bytes);
    // What the program sent so far (without waiting).
    std::string TakeSent();

private:
    int fPid = -1;
    int fIn = -1;
    int fOut = -1;
};

// A python3 program run as a test peer. Its first output line is read at start (it prints
// its port there); the rest is read when it ends.
class PythonPeer {
public:
    PythonPeer() = default;
    ~PythonPeer();
    PythonPeer(const PythonPeer&) = delete;
    PythonPeer& operator=(const PythonPeer&) = delete;

    // Starts python3 with the script; false when it did not print a first line in time.
    bool Start(const std::string& script, std::chrono::milliseconds limit = 10s);
    const std::string& FirstLine() const { return fFirstLine; }
    // Waits for the end of the program and returns the rest of its output; empty when the
    // limit passed (the program is then killed).
    std::string Finish(std::chrono::milliseconds limit = 10s);

private:
    std::string ReadLine(std::chrono::milliseconds limit);
    int fPid = -1;
    int fOut = -1;
    std::string fPending;
    std::string fFirstLine;
};

} // namespace porttest
