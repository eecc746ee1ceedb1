#include "shell/draw/LFont.h"
#include "controls/CViewPrefs.h"
#include "controls/LCtlSpec.h"
#include "foundation/records/CParamSchema.h"
#include "foundation/records/CParamSet.h"
#include "foundation/records/LObjRoot.h"
#include "platform/draw/Font.h"
#include "platform/draw/FontLibrary.h"

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
    }

    void PreferFont(uint32_t kind, const char* family, const char* points)
    {
        LObject* fonts = CParamSet::MakeSubSet(fRoot.Root(), nullptr, "fonts");
        LObject* entry = CParamSet::MakeSubSet(fonts, nullptr, std::to_string(kind).c_str());
        CParamSet::SetValue(entry, nullptr, "fam", family);
        CParamSet::SetValue(entry, nullptr, "pts", points);
        CViewPrefs::Shared().SetParamSet(fRoot.Root());
        LFontData::ResetAllNSFonts();
    }

    LObjRoot fRoot;
};

} // namespace

TEST_F(LFontTest, EqualFontsShareOneRecordAndScaleMovesOnlyOneHandle)
{
    LFont a(1);
    LFont b(1);
    EXPECT_EQ(a.Get(), b.Get());
    EXPECT_TRUE(a == b);
    b.SetScale(150);
    EXPECT_NE(a.Get(), b.Get());
    EXPECT_EQ(a.Get()->scale, -1);
    EXPECT_EQ(b.Get()->scale, 150);
    EXPECT_FALSE(a == b);
    LFont c(1);
    c.SetScale(150);
    EXPECT_EQ(c.Get(), b.Get());  // interned again
    LFontData* before = c.Get();
    c.SetScale(150);              // unchanged: same record
    EXPECT_EQ(c.Get(), before);
}

TEST_F(LFontTest, NamesCountOnlyForNamedFonts)
{
    LFontData x(255), y(255), p(1), q(1);
    x.name = "DejaVu Serif";
    y.name = "DejaVu Sans";
    p.name = "one";
    q.name = "two";
    EXPECT_FALSE(x.Equals(y));
    EXPECT_TRUE(p.Equals(q));
    EXPECT_NE(LFont::Intern(x).Get(), LFont::Intern(y).Get());
    EXPECT_EQ(LFont::Intern(p).Get(), LFont::Intern(q).Get());
    EXPECT_EQ(LFont::Intern(x).GetFamilyName(), "DejaVu Serif");
    // An unknown name falls back to the user font.
    LFontData unknown(255);
    unknown.name = "No Such Face";
    EXPECT_EQ(LFont::Intern(unknown).GetFamilyName(), "DejaVu Sans");
}

TEST_F(LFontTest, NullHandlesAnswerDefaults)
{
    LFont none;
    EXPECT_EQ(none.GetNSFont(), nullptr);
    EXPECT_DOUBLE_EQ(none.GetPointSize(), 12.0);
    EXPECT_TRUE(none.GetFamilyName().IsEmpty());
    EXPECT_TRUE(none == LFont());
    EXPECT_FALSE(none == LFont(1));
    none.SetScale(150);  // nothing happens
    EXPECT_EQ(none.Get(), nullptr);
}

TEST_F(LFontTest, KindsResolveToTheProgramsFonts)
{
    EXPECT_DOUBLE_EQ(LFont(1).GetPointSize(), 12.0);
    EXPECT_DOUBLE_EQ(LFont(2).GetPointSize(), 11.0);
    EXPECT_DOUBLE_EQ(LFont(0).GetPointSize(), 13.0);
    EXPECT_EQ(LFont(3).GetFamilyName(), "DejaVu Sans Mono");
    EXPECT_TRUE(LFont(3).GetNSFont()->IsFixedPitch());
    EXPECT_EQ(LFont(7).GetFamilyName(), "DejaVu Sans");
}

TEST_F(LFontTest, ScaleTruncatesToWholePoints)
{
    LFont font(0);  // the 13-point system font
    font.SetScale(150);
    EXPECT_DOUBLE_EQ(font.GetPointSize(), 19.0);  // 19.5 cut
    LFontData sized(1);
    sized.size = 20;
    sized.scale = 50;
    EXPECT_DOUBLE_EQ(LFont::Intern(sized).GetPointSize(), 10.0);
    font.SetScale(0);  // never below one point
    EXPECT_DOUBLE_EQ(font.GetPointSize(), 1.0);
}

TEST_F(LFontTest, ItalicIsSlantedByAQuarter)
{
    LFont font(1);
    font.SetSlant(2);
    ASSERT_NE(font.GetNSFont(), nullptr);
    EXPECT_TRUE(font.GetNSFont()->IsItalic());
    EXPECT_DOUBLE_EQ(font.GetNSFont()->Slant(), 0.25);
    LFontData bold(1);
    bold.weight = 2;
    EXPECT_TRUE(LFont::Intern(bold).GetNSFont()->IsBold());
}

TEST_F(LFontTest, UserPreferenceWinsUntilResetAndFallsBackWhenUnknown)
{
    LFont font(1);
    EXPECT_EQ(font.GetFamilyName(), "DejaVu Sans");
    PreferFont(1, "DejaVu Serif", "15");
    EXPECT_EQ(font.GetFamilyName(), "DejaVu Serif");
    EXPECT_DOUBLE_EQ(font.GetPointSize(), 15.0);
    font.SetScale(200);
    EXPECT_DOUBLE_EQ(font.GetPointSize(), 30.0);

    PreferFont(1, "Nonexistent Family", "15");
    EXPECT_EQ(LFont(1).GetFamilyName(), "DejaVu Sans");
    EXPECT_DOUBLE_EQ(LFont(1).GetPointSize(), 12.0);

    // Without "pts" the preference is 12 points.
    LObject* entry = CParamSet::MakeSubSet(CParamSet::MakeSubSet(fRoot.Root(), nullptr, "fonts"), nullptr, "2");
    CParamSet::SetValue(entry, nullptr, "fam", "DejaVu Sans Mono");
    LFontData::ResetAllNSFonts();
    EXPECT_DOUBLE_EQ(LFont(2).GetPointSize(), 12.0);
    EXPECT_EQ(LFont(2).GetFamilyName(), "DejaVu Sans Mono");
}

TEST_F(LFontTest, MissingFontFilesLeaveTheFontUnresolvedNotBroken)
{
    plat::FontLibrary::SetFolder("/nonexistent-font-folder");
    LFontData templ(1);
    templ.size = 77;  // a record no other test resolved
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

TEST(LCtlSpec, DefaultRecordCarriesTheSystemFont)
{
    const LCtlSpec& desc = LCtlSpec::Default();
    EXPECT_EQ(desc.kind, 0u);
    EXPECT_EQ(desc.style, 0u);
    EXPECT_EQ(desc.view.Get(), nullptr);
    ASSERT_TRUE(desc.font.Get());
    EXPECT_EQ(desc.font.Get()->kind, 0u);
    EXPECT_TRUE(desc.font == LFont(0));
    EXPECT_EQ(desc.font.Get(), LFont(0).Get());  // interned: the same record
}
