#include "platform/devices/DeviceRegistry.h"

#include <algorithm>

namespace plat {

namespace {

class DeviceList final : public DeviceIterator {
public:
    explicit DeviceList(std::vector<DeviceId> ids) : fIds(std::move(ids)) {}
    DeviceId Next() override { return fNext < fIds.size() ? fIds[fNext++] : 0; }

private:
    std::vector<DeviceId> fIds;
    size_t fNext = 0;
};

} // namespace

DeviceNotification::~DeviceNotification()
{
    std::lock_guard delivery(fRegistry.fDelivery);
    std::lock_guard guard(fRegistry.fLock);
    auto& watches = fRegistry.fWatches;
    watches.erase(std::remove(watches.begin(), watches.end(), fWatch.get()), watches.end());
}

DeviceId DeviceNotification::Next()
{
    std::lock_guard guard(fRegistry.fLock);
    if (fWatch->pending.empty()) {
        fWatch->armed = true;
        return 0;
    }
    const DeviceId id = fWatch->pending.front();
    fWatch->pending.pop_front();
    return id;
}

uint32_t DeviceRegistry::NewSource()
{
    std::lock_guard guard(fLock);
    return fNextSource++;
}

void DeviceRegistry::Queue(DeviceNotice notice, const Device& device, std::vector<Watch*>& woken)
{
    for (Watch* watch : fWatches) {
        if (watch->notice != notice || !watch->match.Matches(device.info))
            continue;
        watch->pending.push_back(device.id);
        if (watch->armed) {
            watch->armed = false;
            woken.push_back(watch);
        }
    }
}

void DeviceRegistry::Update(uint32_t source, const std::vector<DeviceInfo>& present)
{
    std::lock_guard delivery(fDelivery);
    std::vector<Watch*> woken;
    {
        std::lock_guard guard(fLock);
        auto stillThere = [&](const Device& d) {
            return std::find(present.begin(), present.end(), d.info) != present.end();
        };
        for (auto it = fDevices.begin(); it != fDevices.end();) {
            if (it->source == source && !stillThere(*it)) {
                Queue(DeviceNotice::Terminate, *it, woken);
                it = fDevices.erase(it);
            } else {
                ++it;
            }
        }
        for (const DeviceInfo& info : present) {
            const bool known = std::any_of(fDevices.begin(), fDevices.end(), [&](const Device& d) {
                return d.source == source && d.info.key == info.key;
            });
            if (known)
                continue; // a second entry with a key already seen is ignored
            fDevices.push_back(Device{fNextId++, source, info});
            Queue(DeviceNotice::FirstMatch, fDevices.back(), woken);
        }
    }
    for (Watch* watch : woken) {
        std::function<void()> wake;
        {
            // An earlier wake function may have ended this notification.
            std::lock_guard guard(fLock);
            if (std::find(fWatches.begin(), fWatches.end(), watch) == fWatches.end())
                continue;
            wake = watch->wake;
        }
        if (wake)
            wake();
    }
}

std::unique_ptr<DeviceIterator> DeviceRegistry::Matching(const DeviceMatch& match) const
{
    std::vector<DeviceId> ids;
    std::lock_guard guard(fLock);
    for (const Device& device : fDevices)
        if (match.Matches(device.info))
            ids.push_back(device.id);
    return std::make_unique<DeviceList>(std::move(ids));
}

std::optional<DeviceInfo> DeviceRegistry::Info(DeviceId id) const
{
    std::lock_guard guard(fLock);
    for (const Device& device : fDevices)
        if (device.id == id)
            return device.info;
    return std::nullopt;
}

size_t DeviceRegistry::Count() const
{
    std::lock_guard guard(fLock);
    return fDevices.size();
}

std::unique_ptr<DeviceNotification> DeviceRegistry::Notify(DeviceNotice notice, const DeviceMatch& match,
                                                           std::function<void()> wake)
{
    auto watch = std::make_unique<Watch>(Watch{notice, match, std::move(wake), {}, false});
    std::lock_guard guard(fLock);
    if (notice == DeviceNotice::FirstMatch)
        for (const Device& device : fDevices)
            if (match.Matches(device.info))
                watch->pending.push_back(device.id);
    fWatches.push_back(watch.get());
    return std::unique_ptr<DeviceNotification>(new DeviceNotification(*this, std::move(watch)));
}

} // namespace plat
