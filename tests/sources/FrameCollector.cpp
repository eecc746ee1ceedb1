#include "tests/sources/FrameCollector.h"

#include "foundation/async/LAsyncQueue.h"
#include "foundation/core/StrEqual.h"
#include "sources/CSampleSrc.h"
#include "sources/server/CDataServer.h"
#include "tests/support/PortTestSupport.h"

namespace porttest {

void FrameCollector::HandleMessage(LMessage& result, const LMessage& msg)
{
    if (StrEqual(msg.type, LHandler::msgDestructing)) {
        LHandler::HandleMessage(result, msg);
        return;
    }
    {
        std::lock_guard<std::mutex> lock(fMutex);
        fTypes.emplace_back(msg.type ? msg.type : "");
    }
    if (source && msg.subject == source && StrEqual(msg.type, CSampleSrc::msgData))
        Pull();
    LMessage::Clear(result);
}

void FrameCollector::Pull()
{
    // Bounded: a source that cannot go on answers -1 again and again.
    for (int i = 0; i < 100000; ++i) {
        float frame[CSampleSrc::kMaxChannels] = {};
        const int32_t n = source->Read(frame, CSampleSrc::kMaxChannels);
        if (n == 0)
            break;
        if (n < 0) {
            const LStringRef text = source->TakeText();
            const uint32_t lost = source->TakeOverflowCount();
            if (server) {
                server->SetFormat(source->TypeName().Text());
                server->SetRate(source->SampleRate());
                server->SetFcRatio(source->FcRatio());
                server->AddOverflow(lost);
            }
            if (!text.IsEmpty()) {
                std::lock_guard<std::mutex> lock(fMutex);
                fTexts.emplace_back(text.Text());
            }
            continue;
        }
        if (server && server->HasFormat())
            server->BroadcastSample(uint32_t(n), frame);
        std::lock_guard<std::mutex> lock(fMutex);
        fFrames.emplace_back(frame, frame + n);
    }
    if (server)
        server->Flush();
}

std::vector<std::vector<float>> FrameCollector::Frames() const
{
    std::lock_guard<std::mutex> lock(fMutex);
    return fFrames;
}

std::vector<std::string> FrameCollector::Texts() const
{
    std::lock_guard<std::mutex> lock(fMutex);
    return fTexts;
}

size_t FrameCollector::FrameCount() const
{
    std::lock_guard<std::mutex> lock(fMutex);
    return fFrames.size();
}

int FrameCollector::Count(const std::string& type) const
{
    std::lock_guard<std::mutex> lock(fMutex);
    int n = 0;
    for (const std::string& t : fTypes)
        n += t == type;
    return n;
}

bool FrameCollector::WaitForFrames(size_t n, std::chrono::milliseconds limit)
{
    return PumpUntil([&] { return FrameCount() >= n; }, limit);
}

ScopedSource::ScopedSource(FrameCollector& window, CSampleSrc* source, LAsyncQueue& queue)
    : fWindow(window), fQueue(queue)
{
    LAsyncQueueLock lock(fQueue);
    fWindow.source = source;
}

ScopedSource::~ScopedSource()
{
    LAsyncQueueLock lock(fQueue);
    fWindow.source = nullptr;
}

} // namespace porttest
