#include "shell/system/LSystemInfo.h"

#include <gtest/gtest.h>
#include <map>

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
    EXPECT_EQ(LSystemInfo::PackOsVersion(10, 6, 8), 0x1068u);
    EXPECT_EQ(LSystemInfo::PackOsVersion(10, 13, 2), 0x1092u);
    EXPECT_EQ(LSystemInfo::PackOsVersion(11, 2, 3), 0x1123u);
    EXPECT_EQ(LSystemInfo::PackOsVersion(10, 7, 12), 0x1079u);
    EXPECT_EQ(LSystemInfo::PackOsVersion(9, 2, 2), 0x0922u);
    EXPECT_EQ(LSystemInfo::PackOsVersion(0, 0, 0), 0u);
}

TEST(LSystemInfo, QueryStoresAnswersAndKeepsDefaultsOfUnanswered)
{
    const LSystemInfo info = QueryWith({{Sel("sys1"), 10}, {Sel("sys2"), 14}, {Sel("sys3"), 0x106},
                                        {Sel("qd  "), 0x12345}, {Sel("atlk"), 0x1FF}, {Sel("qtim"), 7},
                                        {Sel("alis"), -1}, {Sel("pop!"), 3}});
    EXPECT_EQ(info.osMajor, 10);
    EXPECT_EQ(info.osMinor, 14);
    EXPECT_EQ(info.osPatch, 6); // the low byte
    EXPECT_EQ(info.osVersion, 0x1096u);
    EXPECT_EQ(info.qdVersion, 0x2345u);
    EXPECT_EQ(info.hasColorDrawing, 1);
    EXPECT_EQ(info.atalkVersion, 0xFFu);
    EXPECT_EQ(info.qtim, 7);
    EXPECT_EQ(info.hasQuickTime, 1);
    EXPECT_EQ(info.alis, -1); // sign-extended
    EXPECT_EQ(info.popup, 3);
    EXPECT_EQ(info.hdwr, 1);
    EXPECT_EQ(info.tmgr, 1);
    EXPECT_EQ(info.mach, 0);
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

TEST(LSystemInfo, ThisSystemReportsTheNewestBehaviour)
{
    LSystemInfo info;
    LSystemInfo::Query(info);
    EXPECT_TRUE(info.IsVersion10_7OrLater());
    EXPECT_EQ(info.osVersion, LSystemInfo::PackOsVersion(info.osMajor, info.osMinor, info.osPatch));
    EXPECT_EQ(info.hasQuickTime, 0);
}
