#pragma once
#include "foundation/core/LCallbackList.h"
#include "platform/midi/MidiSystem.h"

#include <cstdint>

// The program's MIDI client, a global service made at start-up. Listeners hear the system's
// notifications about MIDI setup changes.
class CMIDIClient {
public:
    using Listener = void (*)(uint32_t notification, void* context);

    // Makes the client; the first client made becomes the global one.
    explicit CMIDIClient(const char* name, plat::MidiSystem& system = plat::MidiSystem::Shared());
    ~CMIDIClient();
    CMIDIClient(const CMIDIClient&) = delete;
    CMIDIClient& operator=(const CMIDIClient&) = delete;

    // The global client; null before start-up or after shut-down.
    static CMIDIClient* Global();

    plat::MidiClient Client() const { return fClient; }
    plat::MidiSystem& System() const { return fSystem; }
    [[nodiscard]] bool AddListener(void* context, Listener listener) { return fListeners.Add(context, listener); }
    void RemoveListener(void* context, Listener listener) { fListeners.Remove(context, listener); }
    // Passes a notification to every listener.
    void Notify(uint32_t notification);

private:
    plat::MidiSystem& fSystem;
    plat::MidiClient fClient;
    LCallbackList fListeners;
};
