// Files that are not what they seem: the one file open refuses pipes, sockets, devices and
// folders without waiting, and the sound-file reader and the simulated input say why.
#include "platform/audio/AudioInput.h"
#include "platform/files/DataFork.h"
#include "platform/soundfile/SoundFile.h"
#include "tests/foundation/TempFiles.h"

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <vector>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

// A folder of the test's own holding one item of every kind.
class FileKinds : public testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(fFolder + "/folder");
        WriteAll(fFolder + "/plain", "bytes");
        WriteAll(fFolder + "/empty", "");
        ASSERT_EQ(mkfifo((fFolder + "/pipe").c_str(), 0600), 0);
        fs::create_symlink("/dev/urandom", fFolder + "/random-link");
        fs::create_symlink(fFolder + "/loop-b", fFolder + "/loop-a");
        fs::create_symlink(fFolder + "/loop-a", fFolder + "/loop-b");
        fs::create_symlink(fFolder + "/pipe", fFolder + "/pipe-link");
        fSocket = socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const std::string socketPath = fFolder + "/socket";
        std::memcpy(address.sun_path, socketPath.c_str(), socketPath.size() + 1);
        ASSERT_EQ(bind(fSocket, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    }
    void TearDown() override
    {
        close(fSocket);
    }
    std::string Path(const char* name) const { return fFolder + "/" + name; }

    TempFolder fTemp{"file-kinds"};
    std::string fFolder = fTemp.Path();
    int fSocket = -1;
};

TEST_F(FileKinds, OpeningNeverWaitsAndNamesWhatItFound)
{
    struct Case {
        const char* name;
        plat::ForkAccess access;
        plat::FileResult expected;
    };
    const Case cases[] = {
        {"plain", plat::ForkAccess::Read, plat::FileResult::Ok},
        {"empty", plat::ForkAccess::Read, plat::FileResult::Ok},
        {"plain", plat::ForkAccess::ReadWrite, plat::FileResult::Ok},
        {"pipe", plat::ForkAccess::Read, plat::FileResult::IsPipe},       // no writer: open would wait
        {"pipe", plat::ForkAccess::ReadWrite, plat::FileResult::IsPipe},
        {"pipe-link", plat::ForkAccess::Read, plat::FileResult::IsPipe},
        {"socket", plat::ForkAccess::Read, plat::FileResult::IsSocket},
        {"random-link", plat::ForkAccess::Read, plat::FileResult::IsDevice},
        {"folder", plat::ForkAccess::Read, plat::FileResult::IsFolder},
        {"folder", plat::ForkAccess::ReadWrite, plat::FileResult::IsFolder},
        {"missing", plat::ForkAccess::Read, plat::FileResult::NotFound},
        {"loop-a", plat::ForkAccess::Read, plat::FileResult::BadPath},
        {"plain/below", plat::ForkAccess::Read, plat::FileResult::BadPath},
    };
    for (const Case& c : cases) {
        int fd = -1;
        const plat::FileResult result = plat::OpenFileDescriptor(Path(c.name), c.access, fd);
        EXPECT_EQ(result, c.expected) << c.name;
        EXPECT_EQ(fd >= 0, result == plat::FileResult::Ok) << c.name;
        if (fd >= 0) {
            EXPECT_EQ(fcntl(fd, F_GETFL) & O_NONBLOCK, 0) << c.name << ": the descriptor blocks as usual";
            EXPECT_NE(fcntl(fd, F_GETFD) & FD_CLOEXEC, 0) << c.name;
            close(fd);
        }
    }
}

TEST_F(FileKinds, WritingStillTakesADeviceAsAFullDisk)
{
    plat::DataFork full;
    ASSERT_EQ(full.Open("/dev/full", plat::ForkAccess::ReadWrite), plat::FileResult::Ok);
    EXPECT_EQ(full.WriteAt(0, "x", 1), plat::FileResult::NoSpace);
    plat::DataFork reading;
    EXPECT_EQ(reading.Open("/dev/zero", plat::ForkAccess::Read), plat::FileResult::IsDevice);
    EXPECT_FALSE(reading.IsOpen());
}

TEST_F(FileKinds, EveryRefusalHasWordsOfItsOwn)
{
    const plat::FileResult refusals[] = {plat::FileResult::IsPipe, plat::FileResult::IsSocket,
                                         plat::FileResult::IsDevice, plat::FileResult::IsFolder,
                                         plat::FileResult::NotFound, plat::FileResult::Denied,
                                         plat::FileResult::BadPath, plat::FileResult::Failed};
    std::vector<std::string> texts;
    for (plat::FileResult result : refusals) {
        const std::string text = plat::FileResultText(result);
        EXPECT_FALSE(text.empty());
        EXPECT_EQ(std::find(texts.begin(), texts.end(), text), texts.end()) << text;
        texts.push_back(text);
    }
    EXPECT_EQ(std::string(plat::FileResultText(plat::FileResult::IsPipe)), "it is a named pipe, not a file");
}

TEST_F(FileKinds, TheSoundFileReaderRefusesWhatItCannotReadAndSaysWhy)
{
    struct Case {
        const char* name;
        const char* reason;
    };
    const Case cases[] = {
        {"pipe", "it is a named pipe, not a file"},
        {"random-link", "it is a device, not a file"},
        {"folder", "it is a folder"},
        {"missing", "no such file"},
        {"plain", "it is not a sound file this program can read"},
        {"empty", "it is not a sound file this program can read"},
    };
    for (const Case& c : cases) {
        plat::SoundFile file;
        EXPECT_FALSE(file.Open(Path(c.name))) << c.name;
        EXPECT_FALSE(file.IsOpen()) << c.name;
        EXPECT_EQ(file.OpenFailure(), c.reason) << c.name;
    }
}

TEST_F(FileKinds, ASimulatedFileInputNamesTheFileAndTheReason)
{
    plat::AudioFormat format;
    plat::AudioInput input;
    const std::string device = "sim:file=" + Path("pipe");
    EXPECT_FALSE(input.Open(device, format));
    EXPECT_EQ(input.OpenFailure(), "\"" + device + "\": it is a named pipe, not a file");
    EXPECT_FALSE(input.Open("sim:file=" + Path("missing"), format));
    EXPECT_NE(input.OpenFailure().find("missing\": "), std::string::npos) << input.OpenFailure();
}

} // namespace
