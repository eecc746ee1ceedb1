#include "analysis/window/CSourceControls.h"
#include "platform/audio/ManualAudioDriver.h"
#include "platform/io/Serial.h"
#include "sources/lines/CLineSerialSrc.h"
#include "sources/ports/CSerialPort.h"
#include "tests/analysis/window/LiveWindowKit.h"
#include "tests/support/SoundTools.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <fstream>
#include <sys/socket.h>
#include <unistd.h>

using namespace std::chrono_literals;

namespace {

constexpr const char* kChooserTitle = "Serial Port";

class SpecWindowLive : public LiveWindowTest {
protected:
    // The device under its stable name, already plugged in.
    void PlugDevice() { ASSERT_TRUE(device.Plug(porttest::SerialLinkFor("device"))); }
    // Sends device lines and waits until n more samples reached the rings.
    void Send(const std::string& lines, uint32_t n)
    {
        const uint32_t before = Written();
        ASSERT_TRUE(device.Write(lines));
        ASSERT_TRUE(RunUntil([&] { return WrittenSince(before) >= n; })) << "samples arrive";
    }

    porttest::SocatDevice device;
};

} // namespace

TEST_F(SpecWindowLive, ASerialDeviceChosenByNameBecomesTheLiveSource)
{
    PlugDevice();
    CSpecWindow& w = MakeLive();
    Script({Choose("device")});
    w.SelectSource();
    ASSERT_NE(w.LiveSource(), nullptr) << ::testing::PrintToString(seenDialogs) << " chose "
                                       << View()->GetString(kWndsPort).View();
    EXPECT_EQ(w.CurrentSource(), w.LiveSource());
    EXPECT_EQ(w.SourceKindValue(), CSpecWindow::kLiveSource);
    EXPECT_EQ(std::string(View()->GetString(kWndsPort).View()), "device");
    EXPECT_TRUE(w.SourceControls().RecordButton().IsEnabledAndShown());
    Send("300\n200\n100\n\n", 3);
    EXPECT_EQ(Newest(0, 3), (std::vector<float>{0.25f, 0.0f, -0.25f}));
    EXPECT_NE(device.TakeSent().find("DN\n"), std::string::npos) << "the device is asked for its type";
}

TEST_F(SpecWindowLive, AWindowLeftOnALiveSourceOpensItAgainAtStart)
{
    PlugDevice();
    LObject::SetString(View(), nullptr, kWndsPort, LStringRef("device"), LObject::Merge::No);
    LObject::SetByte(View(), nullptr, kWndsLsrc, CSpecWindow::kLiveSource, LObject::Merge::No);
    CSpecWindow& w = MakeLive();
    w.Start();
    ASSERT_NE(w.LiveSource(), nullptr);
    Send("3ff\n\n", 1);
}

TEST_F(SpecWindowLive, ATcpPeerAtTheChosenAddressDeliversSamples)
{
    uint16_t port = 0;
    const int listener = porttest::ListenLoopback(port);
    ASSERT_GE(listener, 0);
    CSpecWindow& w = MakeLive();
    LObject::SetString(record, nullptr, kWindTcpa, LStringRef("127.0.0.1:" + std::to_string(port)), LObject::Merge::No);
    Script({Choose("TCP Text Stream"), Ok()});
    w.SelectSource();
    EXPECT_EQ(seenDialogs.size(), 2u) << "the chooser, then the address: " << ::testing::PrintToString(seenDialogs);
    ASSERT_NE(w.LiveSource(), nullptr);
    int peer = -1;
    ASSERT_TRUE(RunUntil([&] { return (peer = ::accept4(listener, nullptr, nullptr, SOCK_NONBLOCK)) >= 0; }));
    const uint32_t before = Written();
    ASSERT_TRUE(porttest::WriteAll(peer, "dn \nsr 50\n300\n100\n\n"));
    ASSERT_TRUE(RunUntil([&] { return WrittenSince(before) >= 2; }));
    EXPECT_EQ(Newest(0, 2), (std::vector<float>{0.25f, -0.25f}));
    EXPECT_EQ(w.LiveSource()->SampleRate(), 50u);
    ::close(peer);
    ::close(listener);
}

TEST_F(SpecWindowLive, TheAnalyserListensOnTheSecondPortChosen)
{
    PlugDevice();
    CSpecWindow& w = MakeLive();
    Script({Choose("Brainwave Analyser"), Choose("device")});
    w.SelectSource();
    ASSERT_NE(w.LiveSource(), nullptr);
    EXPECT_EQ(std::string(record->GetString(kWindTlpt).View()), "device");
    Send(std::string("\x01\xff\x01", 3), 2);
    EXPECT_EQ(Newest(0, 2), (std::vector<float>{0.0f, 0.9921875f}));
    EXPECT_EQ(device.TakeSent(), "") << "the analyser is sent nothing";
}

TEST_F(SpecWindowLive, TheSoundInputDeliversTheFramesOfTheDefaultDevice)
{
    // A ramp of 16-bit stereo frames made into a WAV file by sox.
    const std::string raw = TempSoundPath("ramp.raw");
    const std::string wav = TempSoundPath("ramp.wav");
    {
        std::ofstream out(raw, std::ios::binary);
        for (int16_t i = 0; i < 4410; ++i) {
            const int16_t frame[2] = {int16_t(i * 4), int16_t(-i)};
            out.write(reinterpret_cast<const char*>(frame), sizeof frame);
        }
    }
    ASSERT_TRUE(RunSox("-t raw -r 44100 -e signed -b 16 -c 2 " + raw + " " + wav));
    plat::ManualAudioDriver driver;
    driver.SetDefaultInput("sim:file=" + wav);
    CSpecWindow& w = MakeLive();
    Command("CAppCmd_Chans", "2");
    Script({Choose("Sound In")});
    w.SelectSource();
    ASSERT_NE(w.LiveSource(), nullptr);
    ASSERT_TRUE(w.LiveSource()->IsAudioInput());
    // The window clears its rings once, when it learns the input's rate from the first data.
    driver.AdvanceMs(10);
    ASSERT_TRUE(RunUntil([&] { return w.CurrentRate() == 44100; }));
    const uint32_t before = Written();
    driver.AdvanceMs(90);   // the rest of the file
    ASSERT_TRUE(RunUntil([&] { return WrittenSince(before) >= 3969 && WrittenSince(before, 1) >= 3969; }));
    const std::vector<float> left = Newest(0, 1000);
    const std::vector<float> right = Newest(1, 1000);
    for (uint32_t i = 0; i < 1000; ++i) {
        ASSERT_EQ(left[i], float((3410 + i) * 4) / 32768.0f) << i;
        ASSERT_EQ(right[i], -float(3410 + i) / 32768.0f) << i << " of the second channel";
    }
}

TEST_F(SpecWindowLive, CancellingAnyStepCreatesNothing)
{
    CSpecWindow& w = MakeLive();
    Script({Cancel()});
    w.SelectSource();
    EXPECT_EQ(w.LiveSource(), nullptr);

    Script({Choose("TCP Text Stream"), Cancel(), Cancel()});
    w.SelectSource();
    EXPECT_EQ(w.LiveSource(), nullptr) << "cancelling the address returns to the chooser";
    ASSERT_EQ(seenDialogs.size(), 3u);
    EXPECT_EQ(seenDialogs[0], kChooserTitle);
    EXPECT_EQ(seenDialogs[2], kChooserTitle);

    Script({Choose("Brainwave Analyser"), Cancel(), Cancel()});
    w.SelectSource();
    EXPECT_EQ(w.LiveSource(), nullptr) << "cancelling the analyser's port returns to the chooser";
    EXPECT_EQ(seenDialogs.size(), 3u);
    EXPECT_EQ(w.SourceKindValue(), CSpecWindow::kNoSource);
}

TEST_F(SpecWindowLive, SourcesThatCannotOpenShowTheirErrorAndTheChooserAgain)
{
    plat::ManualAudioDriver driver;
    driver.SetDefaultInput("sim:file=" + TempSoundPath("no such sound.wav"));
    PlugDevice();
    plat::IoError error;
    const int holder = plat::OpenSerialDevice(porttest::SerialLinkFor("device"), error);
    ASSERT_GE(holder, 0) << "another program holds the device";
    CSpecWindow& w = MakeLive();
    struct Case {
        const char* name;
        const char* message;
        const char* detail;   // the cause and what to do, under the message
    };
    const std::string sound = "\nSound In \"sim:file=" + TempSoundPath("no such sound.wav") + "\": ";
    const Case cases[] = {
        {"Wiimote Pad", "message: This source does not exist.", ""},
        {"Sound In", "message: The source could not be opened.", sound.c_str()},
        {"device", "message: The port is used by another program.", ""},
        {"alpha", "message: The source could not be opened.", ""},   // named, but no device behind
    };
    for (const Case& c : cases) {
        Script({Choose(c.name), Ok(), Cancel()});
        w.SelectSource();
        ASSERT_EQ(seenDialogs.size(), 3u) << c.name;
        EXPECT_EQ(seenDialogs[1].substr(0, seenDialogs[1].find('\n')), c.message) << c.name;
        if (*c.detail) {
            EXPECT_EQ(seenDialogs[1].find(c.detail), std::string(c.message).size()) << seenDialogs[1];
            EXPECT_NE(seenDialogs[1].find("\nTo record from another input, start Sonalyx with SONALYX_SOUND_INPUT"),
                      std::string::npos) << seenDialogs[1];
        } else {
            EXPECT_EQ(seenDialogs[1], c.message) << c.name;
        }
        EXPECT_EQ(seenDialogs[2], kChooserTitle) << c.name;
        EXPECT_EQ(w.LiveSource(), nullptr) << c.name;
    }
    ::close(holder);
}

TEST_F(SpecWindowLive, AnUnpluggedDeviceComesBackUnderItsNameAndTheDocumentRunsOn)
{
    PlugDevice();
    CSpecWindow& w = MakeLive();
    Script({Choose("device")});
    w.SelectSource();
    ASSERT_NE(w.LiveSource(), nullptr);
    Send("300\n\n", 1);
    CSerialPort* port = static_cast<CLineSerialSrc*>(w.LiveSource())->Port();

    device.Unplug();
    ASSERT_TRUE(RunUntil([&] { return port->IsReconnecting(); }, 30s));
    const uint32_t during = Written();
    const uint32_t passes = app->modalSteps;
    RunFor(300ms);
    EXPECT_EQ(WrittenSince(during), 0u) << "a missing device delivers nothing";
    EXPECT_EQ(app->modalSteps, passes) << "no dialog interrupts the user";
    EXPECT_EQ(w.CurrentSource(), w.LiveSource());

    PlugDevice();
    ASSERT_TRUE(RunUntil([&] { return port->IsOpen() && !port->IsReconnecting(); }, 10s)) << "retried once a second";
    Send("100\n\n", 1);
    EXPECT_EQ(Newest(0, 1), (std::vector<float>{-0.25f}));
}
