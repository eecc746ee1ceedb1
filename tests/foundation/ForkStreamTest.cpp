#include "foundation/streams/CBufferedForkStream.h"
#include "foundation/streams/CForkStream.h"
#include "platform/files/FileSpecText.h"
#include "tests/foundation/TempFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// How many bytes a read of `n` bytes delivered.
uint64_t ReadCount(LStream& stream, uint64_t n)
{
    std::vector<char> buffer(n);
    stream.Read(buffer.data(), &n);
    return n;
}

std::string Pattern(size_t n, unsigned seed = 1)
{
    std::string bytes(n, '\0');
    for (size_t i = 0; i < n; ++i)
        bytes[i] = char((i * 31 + seed) & 0xFF);
    return bytes;
}

TEST(CForkStream, OpensBySpecificationOrPathAndReadsShortAtTheEnd)
{
    const std::string path = TempPath("fork a b%.txt");
    WriteAll(path, "0123456789");
    CForkStream stream(plat::SpecFromPosixPath(path), LStream::kReadOnly, 0);
    ASSERT_EQ(stream.Error(), 0u);
    char buffer[8];
    uint64_t count = 8;
    stream.SetPosition(6);
    stream.Read(buffer, &count);
    EXPECT_EQ(std::string(buffer, size_t(count)), "6789");
    EXPECT_EQ(stream.position, 10u);
    EXPECT_EQ(ReadCount(stream, 8), 0u);
    EXPECT_EQ(std::pair(stream.Error(), stream.GetSize()), std::pair(0u, uint64_t(10)));
}

TEST(CForkStream, ErrorsAreStickyAndTheFirstStays)
{
    const std::string path = TempPath("fork-readonly");
    WriteAll(path, "abc");
    CForkStream stream(path, LStream::kReadOnly, 0);
    stream.Write("x", 1);
    EXPECT_EQ(stream.Error(), uint32_t(LStream::kReadOnlyError));
    stream.SetError(LStream::kReadError);
    EXPECT_EQ(stream.Error(), uint32_t(LStream::kReadOnlyError));
    EXPECT_EQ(ReadCount(stream, 3), 0u);
    stream.SetPosition(2);
    EXPECT_EQ(stream.position, 0u);
    stream.SetEOF();
    EXPECT_EQ(ReadAll(path), "abc");

    CForkStream full("/dev/full", LStream::kReadWrite, 0);   // a full disk is a write error
    ASSERT_EQ(full.Error(), 0u);
    full.Write("abc", 3);
    EXPECT_EQ(full.Error(), uint32_t(LStream::kWriteError));
    EXPECT_EQ(full.position, 0u);

    // Missing files, resource forks and unknown volumes fail to open.
    for (const auto& [where, fork] : {std::pair(TempPath("no-such"), 0u), {path, uint32_t(CForkStream::kResourceFork)},
                                      {std::string("file:///NoSuchVolume/x"), 0u}})
        EXPECT_EQ(CForkStream(where, LStream::kReadOnly, fork).Error(), uint32_t(LStream::kOpenFailed)) << where;
}

TEST(CBufferedForkStream, KeepsTheTailOfALongWriteUntilFlushedAndReadOnlyRefusesWrites)
{
    const std::string path = TempPath("buffered-1000");
    WriteAll(path, "");
    const std::string data = Pattern(1000);
    {
        CBufferedForkStream stream(path, LStream::kReadWrite);
        stream.Write(data.data(), data.size());
        EXPECT_EQ(stream.position, 1000u);
        EXPECT_EQ(ReadAll(path).size(), 512u);
    }
    EXPECT_EQ(ReadAll(path), data);

    const std::string roPath = TempPath("buffered-ro");
    WriteAll(roPath, "abc");
    CBufferedForkStream readOnly(roPath, LStream::kReadOnly);
    readOnly.Write("x", 1);
    EXPECT_EQ(readOnly.Error(), uint32_t(LStream::kReadOnlyError));
    EXPECT_EQ(ReadCount(readOnly, 3), 0u);
}

TEST(CBufferedForkStream, WritePastTheEndFillsTheGapWithZeros)
{
    const std::string path = TempPath("buffered-gap");
    WriteAll(path, Pattern(600));
    {
        CBufferedForkStream stream(path, LStream::kReadWrite);
        // Put stale bytes into the buffer first: read the block that will be reused.
        char scratch[600];
        uint64_t count = sizeof scratch;
        stream.Read(scratch, &count);
        ASSERT_EQ(count, 600u);
        stream.SetPosition(700);
        stream.Write("0123456789", 10);
    }
    EXPECT_EQ(ReadAll(path), Pattern(600) + std::string(100, '\0') + "0123456789");
}

TEST(CBufferedForkStream, MixedReadsWritesAndSeeksMatchAPlainModel)
{
    const std::string path = TempPath("buffered-model");
    std::string model = Pattern(3000, 5);
    WriteAll(path, model);
    CBufferedForkStream stream(path, LStream::kReadWrite);
    unsigned seed = 12345;
    auto next = [&] { return seed = seed * 1103515245u + 12345u, (seed >> 8); };
    for (int i = 0; i < 400; ++i) {
        const uint64_t at = next() % 4000;
        const size_t length = next() % 1500;
        stream.SetPosition(at);
        if (next() % 2) {
            const std::string data = Pattern(length, unsigned(i));
            stream.Write(data.data(), data.size());
            if (length > 0) {
                if (model.size() < at + length)
                    model.resize(at + length, '\0');
                model.replace(at, length, data);
            }
        } else {
            std::vector<char> buffer(length + 1);
            uint64_t count = length;
            stream.Read(buffer.data(), &count);
            const std::string expected = at < model.size() ? model.substr(at, length) : std::string();
            ASSERT_EQ(std::string(buffer.data(), size_t(count)), expected) << "step " << i;
        }
        ASSERT_EQ(stream.Error(), 0u);
    }
    EXPECT_EQ(stream.GetSize(), model.size());
    stream.SetPosition(100);
    stream.SetEOF();
    EXPECT_EQ(ReadAll(path), model.substr(0, 100));
}

} // namespace
