#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace plat {

// A sound file of any common kind (WAV, AIFF, FLAC, Ogg, MP3, ...) read as interleaved 16-bit
// stereo at the file's own rate: a mono file plays on both channels, a file of more than two
// channels gives its first two.
class SoundFile {
public:
    SoundFile() = default;
    ~SoundFile();
    SoundFile(const SoundFile&) = delete;
    SoundFile& operator=(const SoundFile&) = delete;

    // Opens a plain file (never a pipe, device or folder: their reads may never end); on
    // failure OpenFailure says why in words.
    [[nodiscard]] bool Open(const std::string& path);
    void Close();
    const std::string& OpenFailure() const { return fOpenFailure; }
    bool IsOpen() const { return fFile != nullptr; }

    uint32_t Rate() const { return fRate; }
    uint32_t FileChannels() const { return fChannels; }
    // Frames in the file; 0 when it cannot tell.
    int64_t FrameCount() const { return fFrames; }

    // Moves to a frame (clamped to the length); false when the file cannot seek.
    [[nodiscard]] bool Seek(int64_t frame);
    // Reads up to `frames` stereo frames; frames read (0 at the end), -1 on a read error.
    int64_t Read(int16_t* stereo, int64_t frames);

private:
    // Reads frames of all the file's channels as 16-bit samples.
    int64_t ReadFileFrames(int16_t* samples, int64_t frames);

    void* fFile = nullptr;
    int fFd = -1;                    // the checked descriptor the library reads; ours to close
    std::string fOpenFailure;
    uint32_t fRate = 0;
    uint32_t fChannels = 0;
    int64_t fFrames = 0;
    std::vector<int16_t> fScratch;   // interleaved frames of a file that is not stereo
    std::vector<float> fFloatScratch;   // interleaved frames of a file of float samples
    bool fFloats = false;
};

} // namespace plat
