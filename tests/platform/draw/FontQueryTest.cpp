#include "platform/draw/Bitmap.h"
#include "platform/draw/Canvas.h"
#include "platform/draw/Font.h"
#include "platform/draw/FontLibrary.h"
#include "platform/draw/FontQuery.h"
#include "tests/foundation/TempFiles.h"
#include "tests/support/TestFonts.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr const char* kDejaVuSans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

int InkedPixels(const plat::Font& font, const char* text)
{
    plat::Bitmap bitmap(80, 40);
    plat::Canvas canvas(bitmap);
    canvas.SetFillColor({0, 0, 0, 1});
    font.Draw(canvas, text, {4, 30});
    int inked = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 80; ++x)
            inked += bitmap.Pixel(x, y) != 0;
    return inked;
}

} // namespace

TEST(FontQuery, TheTestConfigurationListsOnlyDejaVu)
{
    ASSERT_NE(std::getenv("FONTCONFIG_FILE"), nullptr) << "the test command points fontconfig at the project's file";
    const std::vector<std::string> families = plat::FontQuery::Families();
    ASSERT_FALSE(families.empty());
    for (const std::string& family : families) {
        if (family != "Testing One") { // the test folder's family, once another test added it
            EXPECT_EQ(family.rfind("DejaVu", 0), 0u) << family;
        }
    }
    EXPECT_TRUE(std::is_sorted(families.begin(), families.end()));
    for (const char* wanted : {"DejaVu Sans", "DejaVu Sans Mono", "DejaVu Serif"})
        EXPECT_NE(std::find(families.begin(), families.end(), wanted), families.end()) << wanted;
}

TEST(FontQuery, TheDefaultsAreTheDejaVuFilesAskedForByName)
{
    const struct {
        const char* family;
        bool bold;
        const char* file;
    } rows[] = {
        {"DejaVu Sans", false, "DejaVuSans.ttf"},
        {"DejaVu Sans", true, "DejaVuSans-Bold.ttf"},
        {"dejavu sans mono", false, "DejaVuSansMono.ttf"},
        {"DejaVu Serif", true, "DejaVuSerif-Bold.ttf"},
    };
    for (const auto& row : rows) {
        plat::FontQuery::FaceFile face;
        ASSERT_TRUE(plat::FontQuery::BestFace(row.family, row.bold, face)) << row.family;
        EXPECT_EQ(face.path.substr(face.path.rfind('/') + 1), row.file) << row.family;
    }
    plat::FontQuery::FaceFile none;
    EXPECT_FALSE(plat::FontQuery::BestFace("No Such Family", false, none));
    EXPECT_EQ(plat::FontLibrary::CanonicalFamily("No Such Family"), "");
    EXPECT_EQ(plat::FontQuery::Faces(std::string(300, 'x')).size(), 0u) << "absurd names are refused";
}

TEST(FontQuery, AFamilyOnlyInATestFolderIsListedAndDrawn)
{
    std::string bytes = ReadAll(kDejaVuSans);
    ASSERT_GT(bytes.size(), 1000u);
    RenameInFont(bytes, "DejaVu Sans", "Testing One");
    RenameInFont(bytes, "DejaVuSans", "TestingOne");
    const std::string folder = TempPath("test-fonts");
    WriteAll(folder + "/TestingOne.ttf", bytes);

    EXPECT_EQ(plat::FontLibrary::CanonicalFamily("Testing One"), "");
    ASSERT_TRUE(plat::FontQuery::AddFolder(folder));
    const std::vector<std::string> families = plat::FontQuery::Families();
    EXPECT_NE(std::find(families.begin(), families.end(), "Testing One"), families.end());
    EXPECT_EQ(plat::FontLibrary::CanonicalFamily("testing one"), "Testing One");

    plat::Font* font = plat::Font::Open("Testing One", 24, false, false, nullptr);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->FamilyName(), "Testing One");
    EXPECT_GT(InkedPixels(*font, "Ag"), 50);
    font->Release();
}
