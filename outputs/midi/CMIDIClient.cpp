#include "outputs/midi/CMIDIClient.h"

#include <atomic>

namespace {

std::atomic<CMIDIClient*> gGlobalClient{nullptr};

} // namespace

CMIDIClient::CMIDIClient(const char* name, plat::MidiSystem& system)
    : fSystem(system), fClient(system.CreateClient(name ? name : ""))
{
    CMIDIClient* none = nullptr;
    gGlobalClient.compare_exchange_strong(none, this);
}

CMIDIClient::~CMIDIClient()
{
    CMIDIClient* self = this;
    gGlobalClient.compare_exchange_strong(self, nullptr);
    if (fClient)
        fSystem.DisposeClient(fClient);
}

CMIDIClient* CMIDIClient::Global()
{
    return gGlobalClient.load();
}

void CMIDIClient::Notify(uint32_t notification)
{
    fListeners.ForEach([notification](const LCallbackEntry& entry) {
        entry.As<Listener>()(notification, entry.context);
    });
}
