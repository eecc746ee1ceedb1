// The text line protocol through a record file: any file gives frames of at most the asked
// channels, texts of at most a token and a finite duration.
#include "fuzz/FuzzCheck.h"
#include "fuzz/FuzzFiles.h"
#include "fuzz/FuzzTargets.h"
#include "sources/text/CTextFileSrc.h"
#include "tests/support/StepQueue.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <thread>

int FuzzRecordFileSource(const uint8_t* data, size_t size)
{
    const std::string path = WriteFuzzFile("record.tks", data, size);
    StepQueue queue;
    {
        CTextFileSrc source(nullptr, &queue);
        if (source.Open(path.c_str()) != 0) {
            std::remove(path.c_str());
            return 0;
        }
        float frame[CSampleSrc::kMaxChannels];
        // Every frame or event takes a byte, but a lost-samples line ("ov") stands for up to
        // 65535 repeated frames: read a bounded number.
        for (uint32_t reads = 0; reads < (1u << 16); ++reads) {
            const int32_t n = source.ReadNext(frame, 4);
            if (n == 0)
                break;
            FuzzCheck(n <= 4, "a frame holds at most the asked channels");
            if (n < 0)
                FuzzCheck(source.TakeText().Length() <= CTextProtocol::kMaxToken, "texts are at most a token long");
        }
        // The twin counts on its own thread; its count of a file this size ends soon.
        for (int waits = 0; waits < 100000 && !source.DurationKnown(); ++waits)
            std::this_thread::sleep_for(std::chrono::microseconds(100));
        const float duration = source.DurationSeconds();
        FuzzCheck(std::isfinite(duration) && duration >= 0.0f, "the duration is a finite time");
    }
    std::remove(path.c_str());
    return 0;
}
