#include "sources/audio/CAudioFilePlayer.h"

#include <cmath>
#include <limits>

void CAudioFilePlayer::CallEndNotice(void* player)
{
    auto* self = static_cast<CAudioFilePlayer*>(player);
    if (self->endFunction)
        self->endFunction(self->endContext, 0);
}

uint64_t CAudioFilePlayer::FramesOfSeconds(double rate, double seconds, bool round)
{
    const double frames = rate * seconds;
    if (!(frames > 0))   // NaN, negative or zero
        return 0;
    if (frames >= 18446744073709551615.0)
        return std::numeric_limits<uint64_t>::max();
    return uint64_t(round ? std::round(frames) : std::trunc(frames));
}
