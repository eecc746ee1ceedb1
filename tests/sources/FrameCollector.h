#pragma once
// Stands in for the document window in tests of live sources: it pulls the frames of its
// source when told that data waits, keeps them, and hands them to a data server the way the
// window does.
#include "foundation/core/LHandler.h"

#include <chrono>
#include <mutex>
#include <string>
#include <vector>

class CDataServer;
class CSampleSrc;
class LAsyncQueue;

namespace porttest {

class FrameCollector : public LHandler {
public:
    void HandleMessage(LMessage& result, const LMessage& msg) override;

    std::vector<std::vector<float>> Frames() const;
    std::vector<std::string> Texts() const;
    size_t FrameCount() const;
    int Count(const std::string& type) const;
    bool WaitForFrames(size_t n, std::chrono::milliseconds limit = std::chrono::seconds(10));

    CSampleSrc* source = nullptr;
    CDataServer* server = nullptr;

private:
    void Pull();

    mutable std::mutex fMutex;
    std::vector<std::vector<float>> fFrames;
    std::vector<std::string> fTexts;
    std::vector<std::string> fTypes;
};

// Points a collector at a source for the guard's lifetime and lets go of it under the queue
// lock, so that a pull on the dispatch thread never meets a source being destroyed. Declare it
// after the source, so that it goes first.
class ScopedSource {
public:
    ScopedSource(FrameCollector& window, CSampleSrc* source, LAsyncQueue& queue);
    ~ScopedSource();
    ScopedSource(const ScopedSource&) = delete;
    ScopedSource& operator=(const ScopedSource&) = delete;

private:
    FrameCollector& fWindow;
    LAsyncQueue& fQueue;
};

} // namespace porttest
