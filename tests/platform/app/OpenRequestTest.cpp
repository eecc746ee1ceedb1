#include "platform/app/OpenRequest.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace plat;
using Status = OpenRequest::Reader::Status;

namespace {

std::string Word(uint32_t w)
{
    return {char(w & 0xff), char((w >> 8) & 0xff), char((w >> 16) & 0xff), char(w >> 24)};
}

Status FeedAll(OpenRequest::Reader& reader, const std::string& bytes)
{
    return reader.Feed(bytes.data(), bytes.size());
}

} // namespace

TEST(OpenRequest, EncodesTheExactBytes)
{
    std::string bytes;
    ASSERT_TRUE(OpenRequest::Encode({"/a", "/tmp/b c.snx"}, bytes));
    EXPECT_EQ(bytes, std::string("SXO1") + Word(2) + Word(2) + "/a" + Word(12) + "/tmp/b c.snx");
    ASSERT_TRUE(OpenRequest::Encode({}, bytes));
    EXPECT_EQ(bytes, std::string("SXO1") + Word(0));
}

TEST(OpenRequest, RoundTripsWhetherTheBytesComeAtOnceOrOneByOne)
{
    const std::vector<std::string> paths = {"/x.tks", std::string(OpenRequest::kMaxPathBytes - 1, 'p').insert(0, "/"),
                                            "/\xc3\xa9t\xc3\xa9.snx"};
    std::string bytes;
    ASSERT_TRUE(OpenRequest::Encode(paths, bytes));
    OpenRequest::Reader whole;
    EXPECT_EQ(FeedAll(whole, bytes), Status::Complete);
    EXPECT_EQ(whole.Paths(), paths);
    OpenRequest::Reader split;
    for (size_t i = 0; i + 1 < bytes.size(); ++i)
        ASSERT_EQ(split.Feed(&bytes[i], 1), Status::NeedMore) << i;
    EXPECT_EQ(split.Feed(&bytes.back(), 1), Status::Complete);
    EXPECT_EQ(split.Paths(), paths);
}

TEST(OpenRequest, RefusesWhatCannotBeSent)
{
    std::string bytes;
    EXPECT_FALSE(OpenRequest::Encode({"relative.snx"}, bytes));
    EXPECT_FALSE(OpenRequest::Encode({""}, bytes));
    EXPECT_FALSE(OpenRequest::Encode({std::string("/a\0b", 4)}, bytes));
    EXPECT_FALSE(OpenRequest::Encode({"/" + std::string(OpenRequest::kMaxPathBytes, 'p')}, bytes));
    EXPECT_FALSE(OpenRequest::Encode(std::vector<std::string>(OpenRequest::kMaxPaths + 1, "/a"), bytes));
    EXPECT_TRUE(OpenRequest::Encode(std::vector<std::string>(OpenRequest::kMaxPaths, "/a"), bytes));
}

TEST(OpenRequest, DamagedMessagesAreDetectedEarly)
{
    const std::string head = std::string("SXO1") + Word(1);
    const struct {
        const char* what;
        std::string bytes;
    } rows[] = {
        {"wrong magic", std::string("SXO2") + Word(0)},
        {"too many paths", std::string("SXO1") + Word(OpenRequest::kMaxPaths + 1)},
        {"huge count", std::string("SXO1") + Word(0xffffffffu)},
        {"empty path", head + Word(0)},
        {"path too long", head + Word(OpenRequest::kMaxPathBytes + 1)},
        {"huge length", head + Word(0x7fffffffu)},
        {"relative path", head + Word(3) + "a/b"},
        {"NUL in path", head + Word(3) + std::string("/a\0", 3)},
        {"bytes after the end", std::string("SXO1") + Word(0) + "x"},
    };
    for (const auto& row : rows) {
        OpenRequest::Reader reader;
        EXPECT_EQ(FeedAll(reader, row.bytes), Status::Damaged) << row.what;
        EXPECT_EQ(reader.Feed("/", 1), Status::Damaged) << row.what << ": stays damaged";
    }
    OpenRequest::Reader truncated;
    EXPECT_EQ(FeedAll(truncated, head + Word(4) + "/ab"), Status::NeedMore);
}
