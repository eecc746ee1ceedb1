#include "platform/files/DataFork.h"
#include "platform/files/FileTransfer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

std::string TempPath(const char* name) { return std::string(getenv("TMPDIR")) + "/" + name; }

void WriteText(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

TEST(DataFork, ReadsShortAtTheEndWithoutError)
{
    const std::string path = TempPath("fork-read");
    WriteText(path, "hello");
    plat::DataFork fork;
    ASSERT_EQ(fork.Open(path, plat::ForkAccess::Read), plat::FileResult::Ok);
    char buffer[16] = {};
    size_t count = sizeof buffer;
    EXPECT_EQ(fork.ReadAt(2, buffer, count), plat::FileResult::Ok);
    EXPECT_EQ(count, 3u);
    EXPECT_EQ(std::string(buffer, 3), "llo");
    count = 4;
    EXPECT_EQ(fork.ReadAt(100, buffer, count), plat::FileResult::Ok);
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(fork.WriteAt(0, "x", 1), plat::FileResult::Denied);
}

TEST(DataFork, OpenRefusesResourceForksFoldersAndMissingFiles)
{
    const std::string path = TempPath("fork-kinds");
    WriteText(path, "x");
    plat::DataFork fork;
    EXPECT_EQ(fork.Open(path, plat::ForkAccess::Read, plat::ForkKind::Resource), plat::FileResult::NotFound);
    EXPECT_EQ(fork.Open(getenv("TMPDIR"), plat::ForkAccess::Read), plat::FileResult::IsFolder);
    EXPECT_EQ(fork.Open(TempPath("no-such-file"), plat::ForkAccess::Read), plat::FileResult::NotFound);
    EXPECT_FALSE(fork.IsOpen());
}

TEST(DataFork, WritesSizesAndReportsAFullDisk)
{
    const std::string path = TempPath("fork-write");
    WriteText(path, "");
    plat::DataFork fork;
    ASSERT_EQ(fork.Open(path, plat::ForkAccess::ReadWrite), plat::FileResult::Ok);
    ASSERT_EQ(fork.WriteAt(4, "ab", 2), plat::FileResult::Ok);
    uint64_t size = 0;
    ASSERT_EQ(fork.GetSize(size), plat::FileResult::Ok);
    EXPECT_EQ(size, 6u);
    char buffer[6];
    size_t count = 6;
    ASSERT_EQ(fork.ReadAt(0, buffer, count), plat::FileResult::Ok);
    EXPECT_EQ(std::string(buffer, 6), std::string("\0\0\0\0ab", 6));
    ASSERT_EQ(fork.SetSize(1), plat::FileResult::Ok);
    ASSERT_EQ(fork.GetSize(size), plat::FileResult::Ok);
    EXPECT_EQ(size, 1u);

    plat::DataFork full;
    ASSERT_EQ(full.Open("/dev/full", plat::ForkAccess::ReadWrite), plat::FileResult::Ok);
    EXPECT_EQ(full.WriteAt(0, "x", 1), plat::FileResult::NoSpace);
    ASSERT_EQ(plat::WriteFully(-1, 0, "x", 1), plat::FileResult::Failed);
}

TEST(FileTransfer, ThousandRandomWritesThenReadsGiveTheSameBytes)
{
    const std::string path = TempPath("transfer-random");
    WriteText(path, "");
    plat::DataFork fork;
    ASSERT_EQ(fork.Open(path, plat::ForkAccess::ReadWrite), plat::FileResult::Ok);
    constexpr size_t kSize = 64 * 1024;
    std::vector<unsigned char> expected(kSize, 0);
    std::mt19937 random(7);
    std::atomic<int> completions{0};
    plat::FileTransfer transfer([&] { completions.fetch_add(1); });
    for (int i = 0; i < 1000; ++i) {
        const size_t length = 1 + random() % 300;
        const size_t position = random() % (kSize - length);
        std::vector<unsigned char> data(length);
        for (auto& byte : data)
            byte = static_cast<unsigned char>(random());
        std::copy(data.begin(), data.end(), expected.begin() + long(position));
        ASSERT_TRUE(transfer.Start(fork.Descriptor(), plat::FileTransfer::Kind::Write, position, data.data(), length));
        transfer.WaitIdle();
        ASSERT_EQ(transfer.Result(), plat::FileResult::Ok);
        ASSERT_EQ(transfer.Transferred(), length);
    }
    EXPECT_EQ(completions.load(), 1000);
    uint64_t size = 0;
    ASSERT_EQ(fork.GetSize(size), plat::FileResult::Ok);
    std::vector<unsigned char> back(size);
    ASSERT_TRUE(transfer.Start(fork.Descriptor(), plat::FileTransfer::Kind::Read, 0, back.data(), back.size()));
    transfer.WaitIdle();
    EXPECT_EQ(transfer.Transferred(), size);
    back.resize(kSize, 0);
    EXPECT_EQ(back, expected);
}

TEST(FileTransfer, RefusesASecondStartWhileBusyAndReportsFailures)
{
    std::atomic<bool> release{false};
    plat::FileTransfer transfer([&] {
        while (!release.load())
            std::this_thread::yield();
    });
    char buffer[4];
    ASSERT_TRUE(transfer.Start(-1, plat::FileTransfer::Kind::Read, 0, buffer, 4));
    EXPECT_FALSE(transfer.Start(-1, plat::FileTransfer::Kind::Read, 0, buffer, 4));
    EXPECT_TRUE(transfer.InProgress());
    release = true;
    transfer.WaitIdle();
    EXPECT_EQ(transfer.Result(), plat::FileResult::Failed);
    EXPECT_EQ(transfer.Transferred(), 0u);
}

} // namespace
