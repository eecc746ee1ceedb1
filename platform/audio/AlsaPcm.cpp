#include "platform/audio/AlsaPcm.h"

#include "platform/audio/AudioBackends.h"

#include <alsa/asoundlib.h>

namespace plat {

namespace {

constexpr unsigned kLatencyUs = 100000;

// ALSA prints its own complaints to stderr (a missing card, an unknown name); failures reach
// the program as return values, so the library stays quiet.
void QuietErrors(const char*, int, const char*, int, const char*, ...) {}

void SilenceLibraryOnce()
{
    static const bool done = [] {
        snd_lib_error_set_handler(QuietErrors);
        return true;
    }();
    (void)done;
}

snd_pcm_format_t PcmFormat(const AudioFormat& f)
{
    switch (f.BytesPerSample()) {
    case 1: return f.isSigned ? SND_PCM_FORMAT_S8 : SND_PCM_FORMAT_U8;
    case 2:
        if (f.isSigned)
            return f.bigEndian ? SND_PCM_FORMAT_S16_BE : SND_PCM_FORMAT_S16_LE;
        return f.bigEndian ? SND_PCM_FORMAT_U16_BE : SND_PCM_FORMAT_U16_LE;
    case 3:
        if (f.isSigned)
            return f.bigEndian ? SND_PCM_FORMAT_S24_3BE : SND_PCM_FORMAT_S24_3LE;
        return f.bigEndian ? SND_PCM_FORMAT_U24_3BE : SND_PCM_FORMAT_U24_3LE;
    default:
        if (f.isSigned)
            return f.bigEndian ? SND_PCM_FORMAT_S32_BE : SND_PCM_FORMAT_S32_LE;
        return f.bigEndian ? SND_PCM_FORMAT_U32_BE : SND_PCM_FORMAT_U32_LE;
    }
}

} // namespace

AlsaPcm::~AlsaPcm()
{
    Close();
}

bool AlsaPcm::Open(const std::string& name, Direction direction, AudioFormat& format)
{
    Close();
    SilenceLibraryOnce();
    const snd_pcm_stream_t stream = direction == Direction::Capture ? SND_PCM_STREAM_CAPTURE : SND_PCM_STREAM_PLAYBACK;
    if (const int error = snd_pcm_open(&fPcm, name.c_str(), stream, 0); error < 0) {
        fPcm = nullptr;
        NoteOpenFailure(snd_strerror(error));
        return false;
    }
    AudioFormat wanted = WithDefaults(format);
    if (snd_pcm_set_params(fPcm, PcmFormat(wanted), SND_PCM_ACCESS_RW_INTERLEAVED, wanted.channels, wanted.rate, 1,
            kLatencyUs) < 0) {
        // The plug layer converts 16-bit stereo to nearly anything: the last try.
        wanted.bits = 16;
        wanted.isSigned = true;
        wanted.bigEndian = false;
        if (const int error = snd_pcm_set_params(fPcm, SND_PCM_FORMAT_S16_LE, SND_PCM_ACCESS_RW_INTERLEAVED,
                wanted.channels, wanted.rate, 1, kLatencyUs);
            error < 0) {
            Close();
            NoteOpenFailure(std::string("no usable format: ") + snd_strerror(error));
            return false;
        }
    }
    format = wanted;
    return true;
}

void AlsaPcm::Close()
{
    if (fPcm)
        snd_pcm_close(fPcm);
    fPcm = nullptr;
}

long AlsaPcm::ReadFrames(void* buffer, uint32_t frames)
{
    if (!fPcm)
        return -1;
    snd_pcm_sframes_t n = snd_pcm_readi(fPcm, buffer, frames);
    if (n < 0)
        n = snd_pcm_recover(fPcm, int(n), 1) < 0 ? -1 : 0;
    return long(n);
}

long AlsaPcm::WriteFrames(const void* buffer, uint32_t frames)
{
    if (!fPcm)
        return -1;
    snd_pcm_sframes_t n = snd_pcm_writei(fPcm, buffer, frames);
    if (n < 0)
        n = snd_pcm_recover(fPcm, int(n), 1) < 0 ? -1 : 0;
    return long(n);
}

void AlsaPcm::Drop()
{
    if (fPcm)
        snd_pcm_drop(fPcm);
}

} // namespace plat
