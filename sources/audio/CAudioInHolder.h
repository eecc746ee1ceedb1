#pragma once
#include "sources/audio/CAudioUnitIO.h"

#include <memory>

class LAsyncQueue;

// The sound-input source's hold on its audio unit: made on Open, destroyed on Close.
class CAudioInHolder {
public:
    explicit CAudioInHolder(LAsyncQueue* queue) : fQueue(queue) {}
    ~CAudioInHolder() { Close(); }
    CAudioInHolder(const CAudioInHolder&) = delete;
    CAudioInHolder& operator=(const CAudioInHolder&) = delete;

    // 0 when a unit exists or one could be opened; the unit's failure otherwise.
    [[nodiscard]] int Open(const std::string& device, const std::string& dataSource, const CSampleFormat& format);
    // Why the last Open failed, naming the device.
    const std::string& OpenFailure() const { return fOpenFailure; }
    // Stops, closes and destroys the unit.
    void Close();
    void Start();
    void SetConsumer(void* context, CAudioUnitIO::Consumer consumer);
    CSampleFormat Format() const;
    CAudioUnitIO* Unit() const { return fUnit.get(); }

private:
    LAsyncQueue* fQueue;
    std::unique_ptr<CAudioUnitIO> fUnit;
    std::string fOpenFailure;
};
