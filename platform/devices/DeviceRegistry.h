#pragma once
#include "platform/devices/DeviceInfo.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace plat {

// Names a device present in the registry; never reused within a process. 0 names none.
using DeviceId = uint32_t;

class DeviceRegistry;

// Hands out device ids one at a time; 0 when none is left.
class DeviceIterator {
public:
    virtual ~DeviceIterator() = default;
    virtual DeviceId Next() = 0;
};

enum class DeviceNotice {
    FirstMatch, // a matching device arrived
    Terminate,  // a matching device left
};

// A standing request for notices of arriving or leaving devices. The devices concerned
// queue up in it; it calls its wake function when a device joins an empty queue that was
// drained before (Next returned 0), so a client that drains the queue on every wake-up sees
// every device once. A first-match request starts with the matching devices already present.
class DeviceNotification final : public DeviceIterator {
public:
    ~DeviceNotification() override;
    DeviceId Next() override;

private:
    friend class DeviceRegistry;
    struct Watch {
        DeviceNotice notice;
        DeviceMatch match;
        std::function<void()> wake;
        std::deque<DeviceId> pending;
        bool armed = false;
    };
    DeviceNotification(DeviceRegistry& registry, std::unique_ptr<Watch> watch)
        : fRegistry(registry), fWatch(std::move(watch))
    {
    }

    DeviceRegistry& fRegistry;
    std::unique_ptr<Watch> fWatch;
};

// The devices present, fed by backends (the sysfs scanner, test backends), with matching,
// iteration and notices of arrival and removal. Any thread may use it; wake functions run
// on the thread that reported the change.
class DeviceRegistry {
public:
    DeviceRegistry() = default;
    DeviceRegistry(const DeviceRegistry&) = delete;
    DeviceRegistry& operator=(const DeviceRegistry&) = delete;

    // A tag for a backend: each backend reports its own devices only.
    uint32_t NewSource();
    // Replaces the devices of a backend by what it sees now: devices whose key is gone or
    // whose details changed leave, new ones arrive. Wakes the notifications concerned.
    void Update(uint32_t source, const std::vector<DeviceInfo>& present);

    // The matching devices present now, in order of arrival.
    std::unique_ptr<DeviceIterator> Matching(const DeviceMatch& match) const;
    std::optional<DeviceInfo> Info(DeviceId id) const;
    size_t Count() const;

    std::unique_ptr<DeviceNotification> Notify(DeviceNotice notice, const DeviceMatch& match,
                                               std::function<void()> wake);

private:
    friend class DeviceNotification;
    struct Device {
        DeviceId id;
        uint32_t source;
        DeviceInfo info;
    };
    using Watch = DeviceNotification::Watch;
    void Queue(DeviceNotice notice, const Device& device, std::vector<Watch*>& woken);

    // Held while wake functions run and while a notification goes away, so that no wake
    // function runs after its notification is gone. Recursive: a wake function may update
    // the registry or end a notification.
    mutable std::recursive_mutex fDelivery;
    mutable std::mutex fLock; // guards the fields below
    std::vector<Device> fDevices;
    std::vector<Watch*> fWatches;
    DeviceId fNextId = 1;
    uint32_t fNextSource = 1;
};

} // namespace plat
