#include "platform/soundfile/FilePlayer.h"

#include <algorithm>
#include <cmath>

namespace plat {

namespace {

constexpr long kInputFrames = 1024;

} // namespace

FilePlayer::FilePlayer() : fIn(size_t(kInputFrames) * 2), fOut(size_t(kMaxFramesPerSlice) * 2) {}

FilePlayer::~FilePlayer()
{
    Stop();
    fOutput.Close();
}

bool FilePlayer::Load(const std::string& path)
{
    Stop();
    fOutput.Close();
    if (!fFile.Open(path))
        return false;
    AudioFormat format;
    format.rate = fFile.Rate();
    if (!fOutput.Open("", format, [this](AudioBlock& block, uint32_t frames) { return Pull(block, frames); })) {
        fFile.Close();
        return false;
    }
    return true;
}

bool FilePlayer::Play()
{
    if (fPlaying)
        return true;
    if (!fFile.IsOpen() || !fOutput.IsOpen() || !fFile.Seek(0))
        return false;
    fConverter.Reset();
    fInFrames = fInPos = 0;
    fEndOfInput = false;
    fEnded.store(false);
    fSourceFrames.store(0);
    fPlaying = fOutput.Start();
    return fPlaying;
}

void FilePlayer::Stop()
{
    if (!fPlaying)
        return;
    fOutput.Stop();
    fPlaying = false;
}

// Fills the input buffer from the file, starting again at the top when looping.
bool FilePlayer::RefillInput()
{
    fInPos = 0;
    fInFrames = 0;
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int64_t got = fFile.Read(fIn.data(), kInputFrames);
        if (got > 0) {
            fInFrames = long(got);
            return true;
        }
        if (got < 0 || !fLoop.load() || !fFile.Seek(0))
            break;
    }
    fEndOfInput = true;
    return false;
}

bool FilePlayer::Pull(AudioBlock& block, uint32_t frames)
{
    frames = std::min(frames, kMaxFramesPerSlice);
    long produced = 0;
    while (produced < long(frames)) {
        if (fInPos >= fInFrames && !fEndOfInput)
            RefillInput();
        const RateConverter::Result r = fConverter.Process(fIn.data() + fInPos * 2, fInFrames - fInPos,
            fOut.data() + produced * 2, long(frames) - produced, fRate.load(), fEndOfInput);
        if (!r.ok)
            break;
        fInPos += r.consumed;
        fSourceFrames.fetch_add(uint64_t(r.consumed));
        produced += r.produced;
        if (fEndOfInput && r.produced == 0) {
            fEnded.store(true);
            break;
        }
    }
    if (produced == 0)
        return false;
    const float volume = std::clamp(fVolume.load(), 0.0f, 1.0f);
    for (long i = 0; i < produced * 2; ++i)
        fOut[size_t(i)] = int16_t(std::lround(fOut[size_t(i)] * volume));
    block.data = fOut.data();
    block.bytes = uint32_t(produced) * 4;
    return true;
}

} // namespace plat
