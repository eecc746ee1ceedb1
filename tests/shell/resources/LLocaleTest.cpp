#include "shell/resources/LLocale.h"
#include "foundation/text/LResourceSource.h"
#include "tests/support/LocaleEnvironmentTest.h"

#include <gtest/gtest.h>

namespace {

LLocale Of(const char* id) { return LLocale(*plat::LocaleId::Parse(id)); }

class UserLocale : public LocaleEnvironmentTest {
protected:
    static uint32_t RegionFor(const char* lang)
    {
        setenv("LANG", lang, 1);
        return LLocale::ChooseRegion(LLocale::UserLocale());
    }
};

} // namespace

TEST(LLocale, MatchScore)
{
    EXPECT_EQ(LLocale::MatchScore(Of("ja_JP"), Of("ja_JP")), 4);
    EXPECT_EQ(LLocale::MatchScore(Of("ja"), Of("ja_JP")), 4); // the country does not count
    EXPECT_EQ(LLocale::MatchScore(Of("zh_Hant_TW"), Of("zh_Hans_CN")), 3);
    EXPECT_EQ(LLocale::MatchScore(Of("zh_TW"), Of("zh_Hans_CN")), 3); // a missing script differs
    EXPECT_EQ(LLocale::MatchScore(Of("en_GB"), Of("ja_JP")), 0);
    EXPECT_EQ(LLocale::MatchScore(Of("de_DE"), Of("en_US")), 1);
    EXPECT_EQ(LLocale::MatchScore(Of("ja_JP"), Of("en_US")), 1);
    EXPECT_EQ(LLocale::MatchScore(Of("en_GB"), Of("en_US")), 4);
    EXPECT_EQ(LLocale::MatchScore(LLocale(), Of("en_US")), 1);
    EXPECT_EQ(LLocale::MatchScore(Of("en_US"), LLocale()), 0);
    EXPECT_EQ(LLocale::MatchScore(LLocale(), LLocale()), 4); // nothing missing differs
}

TEST_F(UserLocale, ChoosesTheJapaneseRegionOnlyForJapaneseUsers)
{
    EXPECT_EQ(RegionFor("ja_JP.UTF-8"), kRegionJP);
    EXPECT_EQ(RegionFor("ja"), kRegionJP);
    EXPECT_EQ(RegionFor("en_US.UTF-8"), kRegionUS);
    EXPECT_EQ(RegionFor("C"), kRegionUS);
    EXPECT_EQ(RegionFor("POSIX"), kRegionUS);
    EXPECT_EQ(RegionFor("zh_CN.UTF-8"), kRegionUS);
    EXPECT_EQ(RegionFor("!!"), kRegionUS); // no readable locale
    setenv("LANGUAGE", "ja:en", 1);
    EXPECT_EQ(RegionFor("de_DE.UTF-8"), kRegionJP);
}
