#include "platform/system/UrlLauncher.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>
#include <thread>

namespace {

namespace fs = std::filesystem;

// Puts a stand-in opener first on PATH that writes each of its arguments on a line of a file.
class FakeOpener : public testing::Test {
protected:
    void SetUp() override
    {
        fBin = fs::path(std::getenv("TMPDIR")) / "bin";
        fs::create_directories(fBin);
        fOutput = fBin / "args.txt";
        fs::remove(fOutput);
        const fs::path opener = fBin / "xdg-open";
        std::ofstream(opener) << "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > " << fOutput.string()
                              << ".tmp && mv " << fOutput.string() << ".tmp " << fOutput.string() << "\n";
        chmod(opener.c_str(), 0755);
        fSavedPath = std::getenv("PATH");
        setenv("PATH", (fBin.string() + ":" + fSavedPath).c_str(), 1);
    }
    void TearDown() override { setenv("PATH", fSavedPath.c_str(), 1); }

    // The arguments the opener received, waiting at most five seconds for it to run.
    std::string WaitForArguments() const
    {
        for (int i = 0; i < 500 && !fs::exists(fOutput); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        std::ifstream in(fOutput);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    fs::path fBin, fOutput;
    std::string fSavedPath;
};

} // namespace

TEST_F(FakeOpener, HandsTheAddressOverAsOneArgumentWithoutAShell)
{
    const fs::path marker = fBin / "marker";
    const std::string url = "http://example.org/a b?x=1&y='2';touch " + marker.string() + " $(id) `id`";
    EXPECT_TRUE(plat::UrlLauncher::Available());
    ASSERT_TRUE(plat::UrlLauncher::Open(url));
    EXPECT_EQ(WaitForArguments(), url + "\n");
    EXPECT_FALSE(fs::exists(marker));
}

TEST_F(FakeOpener, RefusesAddressesItCannotHandOverSafely)
{
    EXPECT_FALSE(plat::UrlLauncher::Open(""));
    EXPECT_FALSE(plat::UrlLauncher::Open("--help"));
    EXPECT_FALSE(plat::UrlLauncher::Open(std::string("http://a\0b", 10)));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(fs::exists(fOutput));
}

TEST(UrlLauncher, ReportsAMissingOpener)
{
    const std::string saved = std::getenv("PATH");
    setenv("PATH", "/nonexistent", 1);
    EXPECT_FALSE(plat::UrlLauncher::Available());
    EXPECT_FALSE(plat::UrlLauncher::Open("http://example.org/"));
    setenv("PATH", saved.c_str(), 1);
}

TEST(UrlLauncher, RecorderReceivesTheAddressInsteadOfTheOpener)
{
    const std::string saved = std::getenv("PATH");
    setenv("PATH", "/nonexistent", 1);
    std::vector<std::string> seen;
    plat::UrlLauncher::SetRecorder([&](const std::string& url) { seen.push_back(url); });
    EXPECT_TRUE(plat::UrlLauncher::Available());
    EXPECT_TRUE(plat::UrlLauncher::Open("https://example.org/x"));
    plat::UrlLauncher::SetRecorder({});
    EXPECT_FALSE(plat::UrlLauncher::Open("https://example.org/y"));
    EXPECT_EQ(seen, std::vector<std::string>{"https://example.org/x"});
    setenv("PATH", saved.c_str(), 1);
}
