#pragma once
#include "foundation/core/LHandler.h"
#include "platform/devices/DeviceRegistry.h"
#include "shell/devices/CIOObjectRef.h"
#include "ui/LTimer.h"

#include <memory>

namespace plat {
class RunLoopSource;
}

// One standing request for device notices, delivered as {"CIOKitNotification_Note", this,
// parent} on the run loop of the thread that made it. It reports once on the next timer pass
// after it is made, so the owner sees the devices already present; a note that no handler
// takes comes back here and drains the request, which arms it for the next change.
class CIOKitNotification : public LHandler {
public:
    static const char* msgNote;

    // A null match makes a silent notification.
    CIOKitNotification(LHandler* parent, const plat::DeviceMatch* match, plat::DeviceNotice notice,
                       plat::DeviceRegistry& registry);
    ~CIOKitNotification() override;

    void HandleMessage(LMessage& result, const LMessage& msg) override;
    plat::DeviceIterator* Iterator() const { return fIterator.Get(); }

private:
    void Note();

    CIOObjectRef fIterator;
    std::unique_ptr<plat::RunLoopSource> fPort;
    LTimer fStartTimer;
};
