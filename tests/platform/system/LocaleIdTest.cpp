#include "platform/system/LocaleId.h"
#include "tests/support/LocaleEnvironmentTest.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace {

class LocaleEnvironment : public LocaleEnvironmentTest {
protected:
    static std::vector<std::string> Preferred()
    {
        std::vector<std::string> texts;
        for (const auto& id : plat::PreferredLanguages())
            texts.push_back(id.Text());
        return texts;
    }
};

using Texts = std::vector<std::string>;

} // namespace

TEST(LocaleId, ParsesTheFormsTheSystemWrites)
{
    auto text = [](const char* s) { auto id = plat::LocaleId::Parse(s); return id ? id->Text() : "-"; };
    EXPECT_EQ(text("ja_JP.UTF-8"), "ja_JP");
    EXPECT_EQ(text("ja-JP"), "ja_JP");
    EXPECT_EQ(text("EN_us"), "en_US");
    EXPECT_EQ(text("zh-Hant-TW"), "zh_Hant_TW");
    EXPECT_EQ(text("sr_RS@latin"), "sr_Latn_RS");
    EXPECT_EQ(text("de_DE.ISO-8859-15@euro"), "de_DE");
    EXPECT_EQ(text("es_419"), "es_419");
    EXPECT_EQ(text("fr"), "fr");
    EXPECT_EQ(text("C"), "en");
    EXPECT_EQ(text("C.UTF-8"), "en");
    EXPECT_EQ(text("POSIX"), "en");
}

TEST(LocaleId, RefusesMalformedIdentifiers)
{
    for (const char* bad : {"", "x", "toolong_US", "ja_JP_extra_more", "j1_JP", "ja__JP", "ja_J", "_JP",
                            "ja_JP_"})
        EXPECT_FALSE(plat::LocaleId::Parse(bad)) << bad;
    EXPECT_FALSE(plat::LocaleId::Parse(std::string(100, 'a')));
}

TEST_F(LocaleEnvironment, LanguageListTakesPrecedenceOverALocale)
{
    setenv("LANG", "de_DE.UTF-8", 1);
    setenv("LANGUAGE", "ja_JP:bad!:en", 1);
    EXPECT_EQ(Preferred(), (Texts{"ja_JP", "en"}));
}

TEST_F(LocaleEnvironment, LanguageListIsIgnoredInTheCLocale)
{
    setenv("LANGUAGE", "ja_JP", 1);
    EXPECT_EQ(Preferred(), Texts{"en"}); // nothing set: the C locale
    setenv("LANG", "POSIX", 1);
    EXPECT_EQ(Preferred(), Texts{"en"});
}

TEST_F(LocaleEnvironment, AllBeatsMessagesBeatsLang)
{
    setenv("LANG", "fr_FR.UTF-8", 1);
    EXPECT_EQ(Preferred(), Texts{"fr_FR"});
    setenv("LC_MESSAGES", "it_IT", 1);
    EXPECT_EQ(Preferred(), Texts{"it_IT"});
    setenv("LC_ALL", "ja_JP.eucJP", 1);
    EXPECT_EQ(Preferred(), Texts{"ja_JP"});
    setenv("LC_ALL", "", 1); // an empty variable counts as unset
    EXPECT_EQ(Preferred(), Texts{"it_IT"});
}

TEST_F(LocaleEnvironment, UnreadableLocaleGivesNoLanguage)
{
    setenv("LANG", "???", 1);
    EXPECT_TRUE(Preferred().empty());
}

