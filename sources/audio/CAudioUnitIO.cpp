#include "sources/audio/CAudioUnitIO.h"

#include "foundation/async/LAsyncSignal.h"
#include "foundation/core/StrEqual.h"
#include "platform/audio/AudioInput.h"
#include "platform/audio/AudioOutput.h"
#include "sources/audio/CAudioDataSourceList.h"
#include "sources/audio/CAudioDeviceList.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint16_t kMask = CAudioUnitIO::kRingSize - 1;
constexpr uint32_t kDefaultRate = 44100;

} // namespace

CAudioUnitIO::CAudioUnitIO(LAsyncQueue* queue) : LHandler(nullptr), fSpill(4096)
{
    if (queue)
        fSignal = std::make_unique<LAsyncSignal>(this, queue);
}

CAudioUnitIO::~CAudioUnitIO()
{
    Close();
    fInput.reset();
    fSignal.reset();
}

int CAudioUnitIO::Open(const std::string& deviceName, const std::string& dataSource, const CSampleFormat& format)
{
    if (fOpen)
        return 0;
    fOpenFailure.clear();
    std::string device;
    if (!deviceName.empty() && !CAudioDeviceList::FindInput(deviceName, device)) {
        fOpenFailure = "\"" + deviceName + "\": no such input device";
        return 1;
    }
    plat::AudioFormat wanted = format.ToPlatform();
    if (wanted.rate == 0)
        wanted.rate = kDefaultRate;
    auto input = std::make_unique<plat::AudioInput>();
    input->SetCallback([this](uint32_t frames) { InputRender(frames); });
    if (!input->Open(device, wanted)) {
        fOpenFailure = input->OpenFailure();
        return 1;
    }
    if (wanted.BytesPerFrame() == 0 || wanted.BytesPerFrame() > kRingSize) {
        fOpenFailure = "\"" + (device.empty() ? plat::AudioInput::DefaultName() : device) + "\": unusable frame format";
        return 1;
    }
    SelectDataSource(device.empty() ? plat::AudioInput::DefaultName() : device, dataSource);
    fInput = std::move(input);
    fFormat = CSampleFormat::FromPlatform(wanted);
    fBytesPerFrame = wanted.BytesPerFrame();
    fConsumerRead.store(0);
    fPlayRead.store(0);
    fWrite.store(0);
    fOpen = true;
    if (fVolume != 100)
        SetVolume(fVolume);
    UpdatePlayThrough();
    return 0;
}

// Only the device's first input source is compared with the name asked for.
void CAudioUnitIO::SelectDataSource(const std::string& device, const std::string& name)
{
    CAudioDataSourceList sources(device);
    if (sources.Count() > 0 && sources.CurrentName() == name)
        (void)plat::AudioInput::SelectDataSource(device, name);
}

void CAudioUnitIO::Close()
{
    if (!fOpen)
        return;
    fOpen = false;
    UpdatePlayThrough();
    fInput->Stop();
    fInput->Close();
}

void CAudioUnitIO::Start()
{
    if (fOpen)
        (void)fInput->Start();
}

void CAudioUnitIO::Stop()
{
    if (fInput)
        fInput->Stop();
}

int32_t CAudioUnitIO::GetVolume()
{
    if (!fOpen)
        return fVolume;
    float level = 0.5f;
    if (!fInput->GetVolume(level))
        level = 0.5f;
    fVolume = int32_t(level * 100.0f);
    return fVolume;
}

void CAudioUnitIO::SetVolume(int32_t percent)
{
    fVolume = percent;
    if (fOpen)
        (void)fInput->SetVolume(float(std::clamp(percent, 0, 100)) / 100.0f);
}

void CAudioUnitIO::SetPlayThrough(bool on)
{
    fPlayThroughWanted = on;
    UpdatePlayThrough();
}

void CAudioUnitIO::SetConsumer(void* context, Consumer consumer)
{
    fConsumerContext = context;
    fConsumer = consumer;
}

// Free bytes for one reader, up to the ring's end, in whole frames.
uint32_t CAudioUnitIO::FreeRun(uint16_t readIndex) const
{
    const uint16_t write = fWrite.load(std::memory_order_relaxed);
    const uint32_t free = kRingSize - uint16_t(write - readIndex);
    const uint32_t toEnd = kRingSize - (write & kMask);
    const uint32_t run = std::min(free, toEnd);
    return run - run % fBytesPerFrame;
}

// The bytes the writer may fill at the write index. A tail shorter than a frame at the ring's
// end is skipped (the readers skip it too) when the ring has room after it.
uint32_t CAudioUnitIO::WritableRun()
{
    for (int pass = 0; pass < 2; ++pass) {
        uint32_t run = FreeRun(fPlayThroughRunning.load() ? fPlayRead.load(std::memory_order_acquire)
                                                          : fWrite.load(std::memory_order_relaxed));
        if (fSignal)
            run = std::min(run, FreeRun(fConsumerRead.load(std::memory_order_acquire)));
        if (run >= fBytesPerFrame || pass == 1)
            return run;
        const uint16_t write = fWrite.load(std::memory_order_relaxed);
        const uint32_t toEnd = kRingSize - (write & kMask);
        const auto freeFor = [&](uint16_t read) { return kRingSize - uint16_t(write - read); };
        uint32_t free = fSignal ? freeFor(fConsumerRead.load(std::memory_order_acquire)) : kRingSize;
        if (fPlayThroughRunning.load())
            free = std::min(free, freeFor(fPlayRead.load(std::memory_order_acquire)));
        if (toEnd >= fBytesPerFrame || free < toEnd + fBytesPerFrame)
            return 0;
        fWrite.store(uint16_t(write + toEnd), std::memory_order_release);
    }
    return 0;
}

void CAudioUnitIO::InputRender(uint32_t frames)
{
    if (!fInput)
        return;
    const uint32_t bytes = frames * fBytesPerFrame;
    uint32_t rendered = 0;
    const uint32_t run = WritableRun();
    const uint16_t write = fWrite.load(std::memory_order_relaxed);
    if (bytes <= run) {
        rendered = fInput->Render(fRing + (write & kMask), frames) * fBytesPerFrame;
        fWrite.store(uint16_t(write + rendered), std::memory_order_release);
        if (rendered)
            PostToConsumer(fRing + (write & kMask), rendered);
    } else {
        if (fSpill.size() < bytes)
            fSpill.resize(bytes);
        rendered = fInput->Render(fSpill.data(), frames) * fBytesPerFrame;
        CopyFromSpill(fSpill.data(), rendered);
        if (rendered)
            PostToConsumer(fSpill.data(), rendered);
    }
    if (!fPlayThroughRunning.load())
        fPlayRead.store(fWrite.load(std::memory_order_relaxed), std::memory_order_release);
    if (!rendered && fSignal && !fSignal->IsPosted())
        fSignal->Post();
}

// Copies what fits, piece by piece; the rest is lost.
void CAudioUnitIO::CopyFromSpill(const uint8_t* bytes, uint32_t count)
{
    while (count > 0) {
        const uint32_t run = WritableRun();
        const uint32_t piece = std::min(run, count);
        if (piece == 0)
            return;
        const uint16_t write = fWrite.load(std::memory_order_relaxed);
        std::memcpy(fRing + (write & kMask), bytes, piece);
        fWrite.store(uint16_t(write + piece), std::memory_order_release);
        bytes += piece;
        count -= piece;
    }
}

void CAudioUnitIO::PostToConsumer(const uint8_t* bytes, uint32_t count)
{
    if (!fConsumer)
        return;
    if (!fSignal) {
        fConsumer(fConsumerContext, bytes, count);
        return;
    }
    if (!fSignal->IsPosted())
        fSignal->Post();
}

void CAudioUnitIO::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (fSignal && msg.subject == fSignal.get() && StrEqual(msg.type, LAsyncSignal::msgX)) {
        DrainToConsumer();
        LMessage::Clear(result);
        return;
    }
    LHandler::HandleMessage(result, msg);
}

// Hands the consumer every whole frame between its read index and the write index.
void CAudioUnitIO::DrainToConsumer()
{
    while (fOpen) {
        const uint16_t read = fConsumerRead.load(std::memory_order_relaxed);
        const uint16_t write = fWrite.load(std::memory_order_acquire);
        if (read == write)
            return;
        const uint32_t toEnd = kRingSize - (read & kMask);
        const uint32_t run = std::min<uint32_t>(uint16_t(write - read), toEnd);
        if (run < fBytesPerFrame) {
            fConsumerRead.store(uint16_t(read + run), std::memory_order_release);   // skipped tail
            continue;
        }
        const uint32_t whole = run - run % fBytesPerFrame;
        if (fConsumer)
            fConsumer(fConsumerContext, fRing + (read & kMask), whole);
        fConsumerRead.store(uint16_t(read + whole), std::memory_order_release);
    }
}

void CAudioUnitIO::UpdatePlayThrough()
{
    if (fOpen && fPlayThroughWanted) {
        if (fPlayThroughRunning.load())
            return;
        auto output = std::make_unique<plat::AudioOutput>();
        plat::AudioFormat format = fFormat.ToPlatform();
        fPlayRead.store(fWrite.load());
        if (!output->Open("", format, [this](plat::AudioBlock& b, uint32_t n) { return PlayThroughRender(b, n); }))
            return;
        fPlayThrough = std::move(output);
        fPlayThroughRunning.store(true);
        if (!fPlayThrough->Start()) {
            fPlayThroughRunning.store(false);
            fPlayThrough.reset();
        }
        return;
    }
    if (fPlayThrough) {
        fPlayThrough->Stop();
        fPlayThroughRunning.store(false);
        fPlayThrough.reset();
    }
}

// Copies whole frames for the output when enough are buffered; otherwise the slice is silent.
bool CAudioUnitIO::PlayThroughRender(plat::AudioBlock& block, uint32_t frames)
{
    const uint32_t wanted = frames * fBytesPerFrame;
    if (!fPlayThroughRunning.load() || fPlayOut.size() < wanted)
        fPlayOut.resize(wanted);
    uint32_t copied = 0;
    while (copied < wanted) {
        const uint16_t read = fPlayRead.load(std::memory_order_relaxed);
        const uint16_t write = fWrite.load(std::memory_order_acquire);
        const uint32_t toEnd = kRingSize - (read & kMask);
        const uint32_t run = std::min<uint32_t>(uint16_t(write - read), toEnd);
        if (run < fBytesPerFrame && run == toEnd && uint16_t(write - read) > run) {
            fPlayRead.store(uint16_t(read + run), std::memory_order_release);
            continue;
        }
        const uint32_t piece = std::min(run - run % fBytesPerFrame, wanted - copied);
        if (piece == 0)
            return false;   // not enough buffered: this slice stays silent
        std::memcpy(fPlayOut.data() + copied, fRing + (read & kMask), piece);
        fPlayRead.store(uint16_t(read + piece), std::memory_order_release);
        copied += piece;
    }
    block.data = fPlayOut.data();
    block.bytes = copied;
    return true;
}
