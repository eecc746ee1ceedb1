#include "outputs/faders/CFaderSoundPlayer.h"

std::unique_ptr<CFaderSoundLink> CFaderSoundPlayer::Make(void*)
{
    return std::make_unique<CFaderSoundPlayer>();
}
