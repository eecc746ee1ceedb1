#pragma once
#include "platform/devices/DeviceRegistry.h"

#include <memory>

// Holds one device iterator (a list of matching devices or a standing notification) and
// lets it go when reset or destroyed.
class CIOObjectRef {
public:
    CIOObjectRef() = default;
    explicit CIOObjectRef(std::unique_ptr<plat::DeviceIterator> iterator) : fIterator(std::move(iterator)) {}

    void Reset() { fIterator.reset(); }
    plat::DeviceIterator* Get() const { return fIterator.get(); }
    explicit operator bool() const { return fIterator != nullptr; }

private:
    std::unique_ptr<plat::DeviceIterator> fIterator;
};

// Takes every device out of an iterator; nothing for none. Draining a notification is what
// lets it report the next change.
void DrainIterator(plat::DeviceIterator* iterator);
