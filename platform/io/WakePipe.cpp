#include "platform/io/WakePipe.h"

#include <fcntl.h>
#include <unistd.h>

namespace plat {

WakePipe::WakePipe()
{
    int ends[2];
    if (::pipe2(ends, O_NONBLOCK | O_CLOEXEC) == 0) {
        fRead = ends[0];
        fWrite = ends[1];
    }
}

WakePipe::~WakePipe()
{
    if (fRead >= 0)
        ::close(fRead);
    if (fWrite >= 0)
        ::close(fWrite);
}

void WakePipe::Wake()
{
    const char byte = 1;
    if (fWrite >= 0)
        [[maybe_unused]] const ssize_t n = ::write(fWrite, &byte, 1);
}

void WakePipe::Drain()
{
    char bytes[64];
    while (fRead >= 0 && ::read(fRead, bytes, sizeof bytes) > 0) {
    }
}

} // namespace plat
