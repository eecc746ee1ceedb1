// The sound-file reader (every common format, through the library): a file that opens has a
// rate and channels, reads no more frames than asked, seeks within itself, and a damaged one
// is refused with a reason.
#include "fuzz/FuzzCheck.h"
#include "fuzz/FuzzFiles.h"
#include "fuzz/FuzzTargets.h"
#include "platform/soundfile/SoundFile.h"

#include <cstdio>
#include <vector>

int FuzzSoundFile(const uint8_t* data, size_t size)
{
    const std::string path = WriteFuzzFile("sound.snd", data, size);
    {
        plat::SoundFile file;
        if (file.Open(path)) {
            FuzzCheck(file.Rate() > 0 && file.FileChannels() > 0, "an open file has a rate and channels");
            FuzzCheck(file.FrameCount() >= 0, "the frame count is never negative");
            std::vector<int16_t> stereo(2 * 256);
            // Bounded: a damaged length may promise endless frames.
            for (int blocks = 0; blocks < 64; ++blocks) {
                const int64_t got = file.Read(stereo.data(), 256);
                FuzzCheck(got <= 256, "no more frames than asked");
                if (got <= 0)
                    break;
            }
            (void)file.Seek(file.FrameCount() / 2);
            (void)file.Read(stereo.data(), 16);
        } else {
            FuzzCheck(!file.OpenFailure().empty(), "a refused file says why");
        }
    }
    std::remove(path.c_str());
    return 0;
}
