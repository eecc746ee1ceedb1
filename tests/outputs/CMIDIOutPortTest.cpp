#include "outputs/midi/CMIDIClient.h"
#include "outputs/midi/CMIDIOutPort.h"
#include "platform/midi/MidiSystem.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

using Packets = std::vector<std::vector<uint8_t>>;

class CMIDIOutPortTest : public ::testing::Test {
protected:
    plat::MidiEndpoint AddDest(bool hasDevice, const char* device, const char* entity, const char* name)
    {
        return fSystem.AddVirtualDestination({hasDevice, device, entity, name});
    }

    plat::MidiSystem fSystem;
    CMIDIClient fClient{"Sonalyx", fSystem};
};

} // namespace

TEST_F(CMIDIOutPortTest, DisplayNamesJoinDeviceEntityAndEndpoint)
{
    const std::pair<plat::MidiEndpoint, const char*> rows[] = {
        {AddDest(true, "Box", "Out", "Port 1"), "Box Out Port 1"}, {AddDest(true, "Box", "", "Port 1"), "Box Port 1"},
        {AddDest(true, "", "", "Bare"), "Bare"},       {AddDest(false, "Ignored", "Ignored", "Virtual In"), "Virtual In"},
        {0, ""},                                       {0x7777, ""}};
    for (const auto& [endpoint, name] : rows)
        EXPECT_EQ(MIDIDestDisplayName(endpoint, fSystem), name) << endpoint;
}

TEST_F(CMIDIOutPortTest, SelectDestAnswersConnectedNoPortOrNotFound)
{
    const plat::MidiEndpoint first = AddDest(true, "Box", "Out", "Port 1");
    const plat::MidiEndpoint second = AddDest(false, "", "", "Synth");
    CMIDIOutPort port(&fClient, "out");
    EXPECT_EQ(port.SelectDest("Synth"), CMIDIOutPort::kConnected);
    EXPECT_EQ(port.Destination(), second);
    EXPECT_EQ(port.SelectDest("Box Out Port 1"), CMIDIOutPort::kConnected);
    EXPECT_EQ(port.Destination(), first);
    EXPECT_EQ(port.SelectDest("Box Out Port"), CMIDIOutPort::kNotFound);
    EXPECT_FALSE(port.IsConnected());
    EXPECT_EQ(port.SelectDest(nullptr), CMIDIOutPort::kNotFound);

    CMIDIOutPort portless(nullptr, "out");
    EXPECT_EQ(portless.SelectDest("Synth"), CMIDIOutPort::kNoPort);
    portless.SendShort(0x90, 60, 100); // no port: nothing, no crash
    EXPECT_TRUE(fSystem.TakeReceived(second).empty());
}

TEST_F(CMIDIOutPortTest, SendShortLengthFollowsTheAbsentDataBytes)
{
    const plat::MidiEndpoint dest = AddDest(true, "Box", "", "In");
    CMIDIOutPort port(&fClient, "out");
    port.SendShort(0x90, 60, 100); // not connected yet: dropped
    ASSERT_EQ(port.SelectDest("Box In"), CMIDIOutPort::kConnected);
    port.SendShort(0xB0, 7, 100);
    port.SendShort(0xC0 | 3, 10, 255);
    port.SendShort(0xF8, 0xFF, 0xFF);
    port.SendShort(0xE0, 0x7F, 0x80);
    const uint8_t sysex[] = {0xF0, 0x7E, 0xF7};
    port.SendBytes(sysex, 256 + 3);
    EXPECT_EQ(fSystem.TakeReceived(dest),
              (Packets{{0xB0, 7, 100}, {0xC3, 0x0A}, {0xF8}, {0xE0, 0x7F}, {0xF0, 0x7E, 0xF7}}));
    port.Deselect();
    port.SendShort(0x90, 1, 2);
    EXPECT_TRUE(fSystem.TakeReceived(dest).empty());
}

TEST_F(CMIDIOutPortTest, TwoThreadsSendWithoutLosingPackets)
{
    const plat::MidiEndpoint dest = AddDest(false, "", "", "Sink");
    CMIDIOutPort port(&fClient, "out");
    ASSERT_EQ(port.SelectDest("Sink"), CMIDIOutPort::kConnected);
    constexpr int kEach = 2000;
    auto sender = [&port](uint8_t status) {
        for (int i = 0; i < kEach; ++i)
            port.SendShort(status, uint8_t(i & 0x7F), 1);
    };
    std::thread a(sender, 0xB0);
    std::thread b(sender, 0xB1);
    a.join();
    b.join();
    const Packets packets = fSystem.TakeReceived(dest);
    ASSERT_EQ(packets.size(), size_t(2 * kEach));
    int fromA = 0;
    for (const auto& packet : packets) {
        ASSERT_EQ(packet.size(), 3u);
        fromA += packet[0] == 0xB0 ? 1 : 0;
    }
    EXPECT_EQ(fromA, kEach);
}
