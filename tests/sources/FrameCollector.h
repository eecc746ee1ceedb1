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

} // namespace porttest
