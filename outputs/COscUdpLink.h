#pragma once
#include "outputs/faders/CFaderLinks.h"

#include <memory>

class CUDPPort;
class LAsyncQueue;
class LHandler;

// The fader engine's OSC port: a UDP port bound to any local port that sends each message
// as one datagram to 127.0.0.1 at the fader's port. Port 0 sends nothing.
class COscUdpLink : public CFaderOscLink {
public:
    static constexpr uint32_t kLoopback = 0x7F000001;

    // Opens the UDP port; its completions go to `parent` on the queue's thread.
    COscUdpLink(LHandler* parent, LAsyncQueue* queue);
    ~COscUdpLink() override;

    bool IsOpen() const;
    bool CanSend() const override;
    // False, and nothing sent, for port 0 or while the port cannot send.
    bool SendTo(uint16_t port, const void* data, uint32_t length) override;
    uint32_t LocalPort() const;

private:
    std::unique_ptr<CUDPPort> fPort;
};
