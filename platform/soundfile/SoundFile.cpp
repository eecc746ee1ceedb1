#include "platform/soundfile/SoundFile.h"
#include "platform/LeakChecks.h"
#include "platform/files/DataFork.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <unistd.h>

namespace plat {

namespace {

constexpr int64_t kScratchFrames = 1024;

bool HoldsFloats(const SF_INFO& info)
{
    const int subtype = info.format & SF_FORMAT_SUBMASK;
    return subtype == SF_FORMAT_FLOAT || subtype == SF_FORMAT_DOUBLE;
}

// Full scale (+-1.0) maps to full scale as integer samples do; values beyond it clip.
int16_t SampleFromFloat(float value)
{
    if (!(value == value))
        return 0;   // NaN in a damaged file reads as silence
    const float scaled = std::nearbyint(value * 32768.0f);
    return int16_t(std::clamp(scaled, -32768.0f, 32767.0f));
}

} // namespace

SoundFile::~SoundFile()
{
    Close();
}

bool SoundFile::Open(const std::string& path)
{
    KeepLeakSuppressions();
    Close();
    int fd = -1;
    if (const FileResult result = OpenFileDescriptor(path, ForkAccess::Read, fd); result != FileResult::Ok) {
        fOpenFailure = FileResultText(result);
        return false;
    }
    SF_INFO info{};
    // The library reads the checked descriptor and leaves closing it to us.
    SNDFILE* file = sf_open_fd(fd, SFM_READ, &info, SF_FALSE);
    if (!file || info.channels <= 0 || info.samplerate <= 0) {
        if (file)
            sf_close(file);
        close(fd);
        fOpenFailure = "it is not a sound file this program can read";
        return false;
    }
    fFile = file;
    fFd = fd;
    fRate = uint32_t(info.samplerate);
    fChannels = uint32_t(info.channels);
    // Streams of unknown length report a huge count: treat it as unknown.
    fFrames = info.frames > 0 && info.frames < std::numeric_limits<int64_t>::max() / 2 ? info.frames : 0;
    fFloats = HoldsFloats(info);
    return true;
}

void SoundFile::Close()
{
    if (fFile)
        sf_close(static_cast<SNDFILE*>(fFile));
    fFile = nullptr;
    if (fFd >= 0)
        close(fFd);
    fFd = -1;
    fOpenFailure.clear();
    fScratch.clear();
    fScratch.shrink_to_fit();
    fFloatScratch.clear();
    fFloatScratch.shrink_to_fit();
    fFloats = false;
    fRate = fChannels = 0;
    fFrames = 0;
}

bool SoundFile::Seek(int64_t frame)
{
    if (!fFile)
        return false;
    frame = std::clamp<int64_t>(frame, 0, fFrames > 0 ? fFrames : std::numeric_limits<int64_t>::max());
    return sf_seek(static_cast<SNDFILE*>(fFile), frame, SEEK_SET) >= 0;
}

int64_t SoundFile::ReadFileFrames(int16_t* samples, int64_t frames)
{
    auto* file = static_cast<SNDFILE*>(fFile);
    if (!fFloats)
        return sf_readf_short(file, samples, frames);
    // Float data is read as float: asking for integers would round every sample to -1, 0 or +1.
    if (fFloatScratch.empty())
        fFloatScratch.resize(size_t(kScratchFrames) * fChannels);
    int64_t done = 0;
    while (done < frames) {
        const sf_count_t got = sf_readf_float(file, fFloatScratch.data(), std::min(frames - done, kScratchFrames));
        if (got <= 0)
            break;
        const size_t count = size_t(got) * fChannels;
        std::transform(fFloatScratch.begin(), fFloatScratch.begin() + std::ptrdiff_t(count), samples + done * fChannels,
            SampleFromFloat);
        done += got;
    }
    return done;
}

int64_t SoundFile::Read(int16_t* stereo, int64_t frames)
{
    if (!fFile || frames < 0)
        return -1;
    auto* file = static_cast<SNDFILE*>(fFile);
    if (fChannels == 2) {
        const int64_t got = ReadFileFrames(stereo, frames);
        return sf_error(file) != SF_ERR_NO_ERROR && got == 0 ? -1 : got;
    }
    if (fScratch.empty())
        fScratch.resize(size_t(kScratchFrames) * fChannels);
    int64_t done = 0;
    while (done < frames) {
        const int64_t got = ReadFileFrames(fScratch.data(), std::min(frames - done, kScratchFrames));
        if (got <= 0)
            break;
        for (int64_t f = 0; f < got; ++f) {
            const int16_t* in = fScratch.data() + f * fChannels;
            stereo[(done + f) * 2] = in[0];
            stereo[(done + f) * 2 + 1] = fChannels == 1 ? in[0] : in[1];
        }
        done += got;
    }
    if (done == 0 && sf_error(file) != SF_ERR_NO_ERROR)
        return -1;
    return done;
}

} // namespace plat
