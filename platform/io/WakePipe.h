#pragma once

namespace plat {

// A pipe whose two ends never block: a thread waiting for descriptors watches the read end,
// and any thread wakes it by writing a byte.
class WakePipe {
public:
    WakePipe();
    ~WakePipe();
    WakePipe(const WakePipe&) = delete;
    WakePipe& operator=(const WakePipe&) = delete;

    bool IsValid() const { return fRead >= 0; }
    int ReadEnd() const { return fRead; }
    // Writes one byte; a full pipe already wakes the reader.
    void Wake();
    // Reads until the pipe is empty, 64 bytes at a time.
    void Drain();

private:
    int fRead = -1;
    int fWrite = -1;
};

} // namespace plat
