#include "sources/audio/CRingBuffer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <numeric>
#include <thread>
#include <vector>

namespace {

TEST(CRingBuffer, WriteWrapsAndIndexesRunPastTwoToThe32)
{
    uint8_t data[8] = {};
    CRingBuffer ring;
    ring.Init(data, 3);
    // Park both indexes just below the 32-bit wrap.
    ring.AdvanceWrite(0xFFFFFFFEu);
    ring.AdvanceRead(0xFFFFFFFEu);
    EXPECT_EQ(ring.Fill(), 0u);
    ring.Write("abcde", 5);
    EXPECT_EQ(ring.WriteIndex(), 3u);
    EXPECT_EQ(ring.Fill(), 5u);
    EXPECT_EQ(ring.Free(), 3u);
    EXPECT_EQ(std::memcmp(data + 6, "ab", 2), 0);
    EXPECT_EQ(std::memcmp(data, "cde", 3), 0);
    char out[5];
    ring.Peek(out, 5);
    EXPECT_EQ(std::memcmp(out, "abcde", 5), 0);
    ring.PutByte('f');
    EXPECT_EQ(data[3], 'f');
    ring.DropPending();
    EXPECT_EQ(ring.Fill(), 0u);
}

// One writer and one reader thread pass a counting byte sequence through a small ring; the
// reader must see every byte in order.
TEST(CRingBuffer, OneWriterAndOneReaderThreadKeepOrder)
{
    std::vector<uint8_t> storage(64);
    CRingBuffer ring;
    ring.Init(storage.data(), 6);
    constexpr uint32_t kTotal = 200000;
    std::atomic<bool> failed{false};
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    std::thread writer([&] {
        uint32_t sent = 0;
        while (sent < kTotal && std::chrono::steady_clock::now() < deadline) {
            const uint32_t n = std::min(ring.Free(), std::min<uint32_t>(7, kTotal - sent));
            std::vector<uint8_t> block(n);
            std::iota(block.begin(), block.end(), uint8_t(sent));
            ring.Write(block.data(), n);
            sent += n;
        }
    });
    uint32_t received = 0;
    while (received < kTotal && std::chrono::steady_clock::now() < deadline) {
        const CRingBuffer::Regions r = ring.GetReadRegions(ring.Fill());
        for (uint32_t i = 0; i < r.Total(); ++i) {
            const uint8_t b = i < r.firstCount ? r.first[i] : r.second[i - r.firstCount];
            if (b != uint8_t(received + i))
                failed = true;
        }
        ring.AdvanceRead(r.Total());
        received += r.Total();
    }
    writer.join();
    EXPECT_FALSE(failed);
    EXPECT_EQ(received, kTotal);
}

} // namespace
