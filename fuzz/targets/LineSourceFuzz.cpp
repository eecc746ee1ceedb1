// The text line protocol through a live line source: the bytes arrive in pieces of any size
// (the first byte of each piece gives its length), and the source turns them into frames of
// at most the asked channels and texts of at most a token, consuming every byte.
#include "fuzz/FuzzCheck.h"
#include "fuzz/FuzzTargets.h"
#include "sources/lines/CLineSampleSrc.h"
#include "tests/support/StepQueue.h"

#include <algorithm>
#include <cstring>

namespace {

class FuzzLink : public CLineSampleSrc {
public:
    FuzzLink(LAsyncQueue* queue, const uint8_t* data, size_t size)
        : CLineSampleSrc(nullptr, queue), fData(data), fSize(size)
    {
        BeginStream();
    }
    bool Drained() const { return fAt >= fSize; }

protected:
    bool PortCanRead() const override { return fAt < fSize; }
    bool PortStartRead(void* buffer, uint32_t length) override
    {
        const size_t piece = 1 + fData[fAt++] % 97;
        const size_t n = std::min({piece, fSize - fAt, size_t(length)});
        std::memcpy(buffer, fData + fAt, n);
        fAt += n;
        SetReceived(uint32_t(n));
        return true;
    }
    bool PortCanWrite() const override { return false; }
    bool PortWrite(const void*, uint32_t) override { return false; }

private:
    const uint8_t* fData;
    size_t fSize;
    size_t fAt = 0;
};

} // namespace

int FuzzLineSource(const uint8_t* data, size_t size)
{
    StepQueue queue;
    FuzzLink link(&queue, data, size);
    link.RecordText("injected");
    float frame[CSampleSrc::kMaxChannels];
    size_t idle = 0;
    for (size_t reads = 0; reads <= 2 * size + 64 && idle < 2; ++reads) {
        const int32_t n = link.Read(frame, 4);
        idle = n == 0 && link.Drained() ? idle + 1 : 0;
        FuzzCheck(n <= 4, "a frame holds at most the asked channels");
        if (n < 0)
            FuzzCheck(link.TakeText().Length() <= CTextProtocol::kMaxToken, "texts are at most a token long");
    }
    FuzzCheck(link.Drained(), "every received byte is parsed");
    return 0;
}
