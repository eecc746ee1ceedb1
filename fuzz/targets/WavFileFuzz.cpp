// The program's own WAV reader: a file opens only with a PCM format it can play and a data
// chunk inside the file, and the frames it counts lie within the file.
#include "fuzz/FuzzCheck.h"
#include "fuzz/FuzzFiles.h"
#include "fuzz/FuzzTargets.h"
#include "platform/audio/ManualAudioDriver.h"
#include "sources/audio/CWavFileReader.h"
#include "tests/support/StepQueue.h"

#include <cstdio>

int FuzzWavFile(const uint8_t* data, size_t size)
{
    // Simulated devices: opening never waits for sound hardware.
    static plat::ManualAudioDriver driver;
    const std::string path = WriteFuzzFile("sound.wav", data, size);
    StepQueue queue;
    {
        CWavFileReader reader(&queue);
        if (reader.Open(path) == 0) {
            FuzzCheck(reader.BytesPerFrame() >= 1 && reader.BytesPerFrame() <= 2 * 255, "frames of 1 to 255 channels");
            FuzzCheck(reader.DataStart() <= size, "the data starts inside the file");
            FuzzCheck(reader.FrameCount() * reader.BytesPerFrame() <= size - reader.DataStart(),
                      "the counted frames lie inside the file");
            reader.SeekFrames(reader.FrameCount() / 2);
            reader.Close();
        }
    }
    std::remove(path.c_str());
    return 0;
}
