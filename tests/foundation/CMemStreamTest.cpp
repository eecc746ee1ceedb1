#include "foundation/core/LByteBuffer.h"
#include "foundation/streams/CMemStream.h"
#include "tests/foundation/FailingAllocations.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(CMemStream, GrowableStreamTrimsItsBufferAndZerosTheGapOfAWritePastTheEnd)
{
    LByteBuffer buffer;
    {
        CMemStream stream(buffer);
        stream.Write("abc", 3);
        EXPECT_GE(buffer.Size(), 3u);
    }
    EXPECT_EQ(buffer.Size(), 3u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(buffer.Data()), 3), "abc");

    LByteBuffer gapped;
    CMemStream stream(gapped);
    stream.Write("ab", 2);
    stream.SetPosition(5);
    stream.Write("z", 1);
    stream.SetPosition(0);
    char back[8] = {'x', 'x', 'x', 'x', 'x', 'x', 'x', 'x'};
    uint64_t count = 8;
    stream.Read(back, &count);
    EXPECT_EQ(count, 6u);
    EXPECT_EQ(std::string(back, 6), std::string("ab\0\0\0z", 6));
    stream.SetPosition(9);
    stream.SetEOF();
    EXPECT_EQ(stream.Length(), 9u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(stream.Data()) + 6, 3), std::string(3, '\0'));
}

TEST(CMemStream, FixedBufferRefusesToOverflowOrToEndPastItsCapacity)
{
    char block[8] = {};
    CMemStream stream(block, sizeof block, LStream::kReadWrite);
    stream.SetPosition(4);
    stream.Write("12345", 5);
    EXPECT_EQ(stream.Error(), uint32_t(LStream::kWriteError));
    EXPECT_EQ(std::string(block, 8), std::string(8, '\0'));
    stream.Write("1", 1);   // the first error stays and nothing more happens
    EXPECT_EQ(block[4], '\0');

    char four[4] = {'a', 'b', 'c', 'd'};
    CMemStream shortened(four, sizeof four, LStream::kReadWrite);
    shortened.SetPosition(2);
    shortened.SetEOF();
    EXPECT_EQ(shortened.Length(), 2u);
    shortened.SetPosition(5);
    shortened.SetEOF();
    EXPECT_EQ(shortened.Error(), uint32_t(LStream::kWriteError));

    CMemStream none(static_cast<void*>(nullptr), 16, LStream::kReadWrite);   // a null buffer is empty
    EXPECT_EQ(none.Length(), 0u);
    none.Write("a", 1);
    EXPECT_EQ(none.Error(), uint32_t(LStream::kWriteError));
}

TEST(CMemStream, ReadOnlyStreamShortReadsAndGrowthThatSettlesForLessOrFailsCleanly)
{
    const char text[] = "hello";
    CMemStream stream(text, 5);
    stream.Write("x", 1);
    EXPECT_EQ(stream.Error(), uint32_t(LStream::kReadOnlyError));
    char back[8];
    uint64_t count = 8;
    stream.Read(back, &count);
    EXPECT_EQ(count, 0u);

    CMemStream fresh(text, 5);
    for (const auto& [at, read] : {std::pair(3u, 2u), {100u, 0u}}) {
        fresh.SetPosition(at);
        count = 8;
        fresh.Read(back, &count);
        EXPECT_EQ(count, read) << at;
    }
    EXPECT_EQ(fresh.Error(), 0u);

    LByteBuffer buffer;
    {
        // Twice the need is refused, the exact need is granted.
        FailingAllocations refuseLarge(150);
        CMemStream stream(buffer);
        const std::string data(100, 'q');
        stream.Write(data.data(), data.size());
        EXPECT_EQ(stream.Error(), 0u);
        EXPECT_LT(buffer.Size(), 150u);
    }
    EXPECT_EQ(buffer.Size(), 100u);

    LByteBuffer untouched;
    {
        CMemStream stream(untouched);
        stream.Write("abc", 3);
        FailingAllocations refuseAll;
        const std::string data(1000, 'z');
        stream.Write(data.data(), data.size());
        EXPECT_EQ(stream.Error(), uint32_t(LStream::kWriteError));
        EXPECT_EQ(stream.Length(), 3u);
    }
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(untouched.Data()), 3), "abc");
}

} // namespace
