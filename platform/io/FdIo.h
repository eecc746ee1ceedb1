#pragma once
#include <cstddef>
#include <cstdint>

namespace plat {

// Why a descriptor operation did not (fully) succeed.
enum class IoError {
    None,
    WouldBlock,      // nothing can be done now; wait for readiness
    Interrupted,     // a signal interrupted the call; try again
    InProgress,      // a non-blocking connect goes on in the background
    AlreadyInProgress,
    IsConnected,
    AddressInUse,
    AddressNotAvailable,
    Busy,            // another user holds the device
    NoBuffers,
    NotFound,
    BadDescriptor,
    Refused,         // nothing listens at the address connected to
    Unreachable,     // no route to the host or its network
    TimedOut,        // the peer did not answer in time
    Other,
};

// The error of the calling thread's last failed system call.
IoError LastIoError();
// The error of a system error number.
IoError IoErrorOf(int number);

// One read or write; -1 with err set on failure, else the count (err None).
long ReadFd(int fd, void* buffer, size_t length, IoError& err);
long WriteFd(int fd, const void* data, size_t length, IoError& err);
// Closes a descriptor; negative ones are ignored.
void CloseFd(int fd);
// Turns on O_NONBLOCK; false when the descriptor is not open.
bool SetNonBlocking(int fd);
// Clears every file-status flag (O_NONBLOCK among them).
void ClearStatusFlags(int fd);
// Whether O_NONBLOCK is set.
bool IsNonBlocking(int fd);
// A writer to a closed socket or pipe must get an error, never the signal that ends the
// process: the broken-pipe signal is ignored process-wide. Idempotent.
void IgnoreBrokenPipeSignal();
// A write past the process's file-size limit must fail with an error that the writer reports,
// never end the process: the file-size signal is ignored process-wide. Idempotent.
void IgnoreFileSizeSignal();

} // namespace plat
