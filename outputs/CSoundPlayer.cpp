#include "outputs/CSoundPlayer.h"

#include "platform/files/FileSpecText.h"

bool CSoundPlayer::Load(std::string_view file)
{
    Stop();
    const std::string path = plat::PosixPathFromSpec(file);
    return !path.empty() && fGraph.Load(path);
}

void CSoundPlayer::Play()
{
    if (fPlaying)
        return;
    fGraph.SetLoop(fLoop);
    fGraph.SetRate(fRate);
    fPlaying = fGraph.IsLoaded() ? fGraph.Play() : true;
}

void CSoundPlayer::Stop()
{
    if (!fPlaying)
        return;
    fGraph.Stop();
    fPlaying = false;
}

void CSoundPlayer::SetRate(float rate)
{
    fRate = rate;
    fGraph.SetRate(rate);
}

void CSoundPlayer::SetVolume(float volume)
{
    fGraph.SetVolume(volume);
}

void CSoundPlayer::SetLoop(bool loop)
{
    fLoop = loop;
    fGraph.SetLoop(loop);
}
