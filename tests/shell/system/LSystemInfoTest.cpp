#include "shell/system/LSystemInfo.h"

#include <gtest/gtest.h>
#include <map>
#include <tuple>

namespace {

constexpr uint32_t Sel(const char (&c)[5])
{
    return uint32_t(uint8_t(c[0])) << 24 | uint32_t(uint8_t(c[1])) << 16 | uint32_t(uint8_t(c[2])) << 8 | uint8_t(c[3]);
}

std::map<uint32_t, int64_t> gAnswers;
std::vector<uint32_t> gAsked;

bool FakeAnswer(uint32_t selector, int64_t& value)
{
    gAsked.push_back(selector);
    const auto it = gAnswers.find(selector);
    if (it == gAnswers.end()) {
        value = 0x5A5A; // a failed question must not be stored
        return false;
    }
    value = it->second;
    return true;
}

LSystemInfo QueryWith(std::map<uint32_t, int64_t> answers)
{
    gAnswers = std::move(answers);
    gAsked.clear();
    LSystemInfo info;
    LSystemInfo::Query(info, FakeAnswer);
    return info;
}

} // namespace

TEST(LSystemInfo, PacksOsVersions)
{
    const std::tuple<int, int, int, uint32_t> cases[] = {{10, 6, 8, 0x1068}, {10, 13, 2, 0x1092}, {11, 2, 3, 0x1123},
                                                         {10, 7, 12, 0x1079}, {9, 2, 2, 0x0922}, {0, 0, 0, 0}};
    for (const auto& [major, minor, patch, packed] : cases)
        EXPECT_EQ(LSystemInfo::PackOsVersion(major, minor, patch), packed) << major << "." << minor << "." << patch;
}

TEST(LSystemInfo, QueryStoresAnswersAndKeepsDefaultsOfUnanswered)
{
    const LSystemInfo info = QueryWith({{Sel("sys1"), 10}, {Sel("sys2"), 14}, {Sel("sys3"), 0x106},
                                        {Sel("qd  "), 0x12345}, {Sel("atlk"), 0x1FF}, {Sel("qtim"), 7},
                                        {Sel("alis"), -1}, {Sel("pop!"), 3}});
    // The patch is the low byte; alis is sign-extended.
    EXPECT_EQ(std::make_tuple(info.osMajor, info.osMinor, info.osPatch, info.osVersion), std::make_tuple(10, 14, 6, 0x1096u));
    EXPECT_EQ(std::make_tuple(info.qdVersion, info.hasColorDrawing, info.atalkVersion), std::make_tuple(0x2345u, 1, 0xFFu));
    EXPECT_EQ(std::make_tuple(info.qtim, info.hasQuickTime, info.alis, info.popup), std::make_tuple(7, 1, -1, 3));
    EXPECT_EQ(std::make_tuple(info.hdwr, info.tmgr, info.mach), std::make_tuple(1, 1, 0));
    EXPECT_EQ(gAsked.front(), Sel("sysa"));
    EXPECT_EQ(gAsked.back(), Sel("atlk"));
}

TEST(LSystemInfo, TextServicesVersionNeedsBothEarlierAnswers)
{
    EXPECT_EQ(QueryWith({{Sel("tmTE"), 1}, {Sel("tmTV"), 5}}).tmTV, 0);
    EXPECT_EQ(QueryWith({{Sel("tsmv"), 2}, {Sel("tmTE"), 2}, {Sel("tmTV"), 5}}).tmTV, 0);
    const LSystemInfo info = QueryWith({{Sel("tsmv"), 2}, {Sel("tmTE"), 3}, {Sel("tmTV"), 5}});
    EXPECT_EQ(info.tsmv, 2);
    EXPECT_EQ(info.tmTV, 5);
}

TEST(LSystemInfo, ThirdFlagDisablesTheQuery)
{
    gAnswers = {{Sel("sys1"), 10}};
    LSystemInfo info;
    info.flags[2] = 0;
    LSystemInfo::Query(info, FakeAnswer);
    EXPECT_EQ(info.osMajor, 0);
    EXPECT_EQ(info.osVersion, 0u);
}

