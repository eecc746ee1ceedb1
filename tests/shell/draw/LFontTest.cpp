#include "shell/draw/LFont.h"
#include "controls/CViewPrefs.h"
#include "foundation/records/CParamSchema.h"
#include "foundation/records/CParamSet.h"
#include "foundation/records/LObjRoot.h"
#include "platform/draw/Font.h"
#include "platform/draw/FontLibrary.h"
#include "shell/windows/CDesktop.h"

#include <gtest/gtest.h>

namespace {

// A parameter set given to the view preferences for the test, taken away afterwards.
class LFontTest : public testing::Test {
protected:
    LFontTest() : fRoot(LObject::Create(CParamSchema::SetClass())) {}
    ~LFontTest() override
    {
        CViewPrefs::Shared().SetParamSet(nullptr);
        LFontData::ResetAllNSFonts();
        CDesktop::SetViewPrefs(nullptr); // the preferences introduced themselves to the desktop
    }

    // Prefers the family (and the points, unless null) for the kind.
    void PreferFont(uint32_t kind, const char* family, const char* points)
    {
        LObject* fonts = CParamSet::MakeSubSet(fRoot.Root(), nullptr, "fonts");
        LObject* entry = CParamSet::MakeSubSet(fonts, nullptr, std::to_string(kind).c_str());
        CParamSet::SetValue(entry, nullptr, "fam", family);
        if (points)
            CParamSet::SetValue(entry, nullptr, "pts", points);
        CViewPrefs::Shared().SetParamSet(fRoot.Root());
        LFontData::ResetAllNSFonts();
    }

    LObjRoot fRoot;
};

} // namespace

TEST_F(LFontTest, EqualFontsShareOneRecordAndScaleMovesOnlyOneHandle)
{
    LFont a(1), b(1);
    EXPECT_EQ(a.Get(), b.Get());
    b.SetScale(150);
    EXPECT_NE(a.Get(), b.Get());
    EXPECT_EQ(a.Get()->scale, -1);
    EXPECT_FALSE(a == b);
    LFont c(1);
    c.SetScale(150);
    EXPECT_EQ(c.Get(), b.Get()); // interned again
    c.SetScale(150);             // unchanged: same record
    EXPECT_EQ(c.Get(), b.Get());
    LFont none;
    none.SetScale(150); // a null handle answers defaults and stays null
    EXPECT_EQ(none.Get(), nullptr);
    EXPECT_DOUBLE_EQ(none.GetPointSize(), 12.0);
    EXPECT_FALSE(none == LFont(1));
}

TEST_F(LFontTest, KindsResolveToTheProgramsFontsAndScaleTruncatesToWholePoints)
{
    for (auto [kind, points] : {std::pair{1u, 12.0}, {2u, 11.0}, {0u, 13.0}})
        EXPECT_DOUBLE_EQ(LFont(kind).GetPointSize(), points) << kind;
    EXPECT_EQ(LFont(3).GetFamilyName(), "DejaVu Sans Mono");
    EXPECT_TRUE(LFont(3).GetNSFont()->IsFixedPitch());
    EXPECT_EQ(LFont(7).GetFamilyName(), "DejaVu Sans");

    LFont font(0); // the 13-point system font
    font.SetScale(150);
    EXPECT_DOUBLE_EQ(font.GetPointSize(), 19.0); // 19.5 cut
    font.SetScale(0);                            // never below one point
    EXPECT_DOUBLE_EQ(font.GetPointSize(), 1.0);
    LFontData sized(1);
    sized.size = 20;
    sized.scale = 50;
    EXPECT_DOUBLE_EQ(LFont::Intern(sized).GetPointSize(), 10.0);
}

TEST_F(LFontTest, UserPreferenceWinsUntilResetAndFallsBackWhenUnknown)
{
    LFont font(1);
    PreferFont(1, "DejaVu Serif", "15");
    EXPECT_EQ(font.GetFamilyName(), "DejaVu Serif");
    EXPECT_DOUBLE_EQ(font.GetPointSize(), 15.0);
    font.SetScale(200);
    EXPECT_DOUBLE_EQ(font.GetPointSize(), 30.0);
    PreferFont(1, "Nonexistent Family", "15");
    EXPECT_EQ(LFont(1).GetFamilyName(), "DejaVu Sans");
    EXPECT_DOUBLE_EQ(LFont(1).GetPointSize(), 12.0);
    PreferFont(2, "DejaVu Sans Mono", nullptr); // without "pts" the preference is 12 points
    EXPECT_DOUBLE_EQ(LFont(2).GetPointSize(), 12.0);
    EXPECT_EQ(LFont(2).GetFamilyName(), "DejaVu Sans Mono");
}

TEST_F(LFontTest, MissingFontFilesLeaveTheFontUnresolvedNotBroken)
{
    plat::FontLibrary::SetFolder("/nonexistent-font-folder");
    LFontData templ(1);
    templ.size = 77; // a record no other test resolved
    LFont font = LFont::Intern(templ);
    EXPECT_EQ(font.GetNSFont(), nullptr);
    EXPECT_DOUBLE_EQ(font.GetPointSize(), 12.0);
    plat::FontLibrary::ResetFolder();
    LFontData::ResetAllNSFonts();
    EXPECT_DOUBLE_EQ(font.GetPointSize(), 77.0);
}

TEST_F(LFontTest, RecordsLeaveTheRegistryWhenTheLastHandleGoes)
{
    LFontData templ(1);
    templ.size = 91;
    {
        LFont font = LFont::Intern(templ);
        EXPECT_TRUE(LFont::FindInterned(templ).Get());
    }
    EXPECT_FALSE(LFont::FindInterned(templ).Get());
}
