// DMX input packets from the USB interface: frames come out whole, never larger than a
// DMX frame, whatever the packets hold and however long they are.
#include "fuzz/FuzzCheck.h"
#include "fuzz/FuzzTargets.h"
#include "outputs/dmx/CDmxFrame.h"
#include "outputs/dmx/CDmxUsbIo.h"
#include "tests/support/StepQueue.h"

#include <algorithm>

namespace {

void FrameDone(void* context, CDmxFrame* frame)
{
    ++*static_cast<int*>(context);
    FuzzCheck(frame->Size() >= 1 && frame->Size() <= CDmxFrame::kMaxSize, "input frames hold 1 to 513 bytes");
}

} // namespace

int FuzzDmxUsbInput(const uint8_t* data, size_t size)
{
    StepQueue queue;
    int done = 0;
    CDmxFrame frames[4];
    CDmxUsbIo io(nullptr, &queue);
    for (CDmxFrame& frame : frames) {
        frame.SetCompletion(&done, &FrameDone);
        io.QueueRead(&frame);
    }
    // The first byte of each piece gives the packet's length (a full packet most often).
    for (size_t at = 0; at < size;) {
        const uint32_t asked = data[at] < 0xC0 ? DmxUsbPackets::kPacketSize : data[at] & 0x3F;
        ++at;
        const uint32_t length = static_cast<uint32_t>(std::min<size_t>(asked, size - at));
        LAsyncQueueLock lock(queue);
        io.Unpack(data + at, length);
        at += length;
    }
    FuzzCheck(done <= 4, "a queued frame completes once");
    return 0;
}
