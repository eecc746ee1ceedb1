#include "controls/panels/CFontPanelRunner.h"
#include "controls/panels/CFontPanelWindow.h"
#include "controls/panels/MMachFontPanel.h"
#include "platform/draw/Bitmap.h"
#include "platform/draw/FontQuery.h"
#include "platform/window/DisplayCycle.h"
#include "platform/window/FontPanel.h"
#include "platform/window/WindowServer.h"
#include "tests/foundation/TempFiles.h"
#include "tests/shell/app/AppBaseKit.h"
#include "tests/support/PaneScreen.h"
#include "tests/support/TestFonts.h"
#include "ui/windows/LWindow.h"

#include <algorithm>
#include <vector>

namespace {

struct Picked {
    std::string family;
    float size = 0;
    bool bold = false;
};

void KeepFont(void* argument, const CFontRecord& font, int32_t)
{
    static_cast<std::vector<Picked>*>(argument)->push_back({std::string(font.family.View()), font.size, font.bold != 0});
}

// The program's own font panel, shown by the font panel runner as its owners ask.
class FontPanelTest : public AppBaseTest {
protected:
    FontPanelTest() { InstallFontPanelRunner(); }
    ~FontPanelTest() override
    {
        CloseFontPanel(&picked, &KeepFont);
        RemoveFontPanelRunner();
    }
    // Shows the panel modelessly on a font, as the view fonts list does.
    CFontPanelWindow& ShowPanel(const char* family, float size)
    {
        CFontRecord font;
        font.family = family;
        font.size = size;
        EXPECT_EQ(RunFontPanel(false, font, &picked, &KeepFont, nullptr, kFontAttrSize | kFontAttrStyle), 2);
        return *FloatingFontPanel();
    }
    void ClickRow(CNameListPane& list, const std::string& name)
    {
        const auto& names = list.Names();
        const auto at = std::find(names.begin(), names.end(), name);
        ASSERT_NE(at, names.end()) << name;
        const CLRect r = list.RowRect(int32_t(at - names.begin()));
        fDriver.Click(ScreenPoint(list, CLPoint{r.left + 20, (r.top + r.bottom) / 2}));
    }
    void Type(const std::string& text)
    {
        for (char c : text)
            fDriver.TypeKey(std::string(1, c), 0);
    }
    // The preview's pixels as the window shows them.
    static std::vector<uint32_t> PreviewPixels(CFontPanelWindow& window)
    {
        plat::Window* native = window.Window()->Native();
        plat::DisplayCycle::Display(*native);
        const plat::Bitmap* image = native->BackingImage();
        std::vector<uint32_t> pixels;
        if (!image)
            return pixels;
        const int top = image->Height() - int(native->ContentRect().height);
        const CLRect r = window.Preview().Rect();
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                pixels.push_back(image->Pixel(x, top + y));
        return pixels;
    }
    static int Inked(const std::vector<uint32_t>& pixels)
    {
        return int(std::count_if(pixels.begin(), pixels.end(), [](uint32_t p) { return p != 0xFFFFFFFFu; }));
    }

    std::vector<Picked> picked;
};

} // namespace

TEST_F(FontPanelTest, EveryChoiceIsReportedAtOnceAndThePreviewFollowsIt)
{
    CFontPanelWindow& panel = ShowPanel("DejaVu Sans", 12);
    EXPECT_TRUE(panel.Window()->Native()->IsVisible());
    EXPECT_EQ(panel.Families().SelectedName(), "DejaVu Sans");
    EXPECT_EQ(panel.Styles().Names(), (std::vector<std::string>{"Book", "Oblique", "Bold", "Bold Oblique"}));
    EXPECT_EQ(std::string(panel.SizeField().GetText().View()), "12");
    const std::vector<uint32_t> sans = PreviewPixels(panel);
    EXPECT_GT(Inked(sans), 200);

    ClickRow(panel.Families(), "DejaVu Serif");
    const std::vector<uint32_t> serif = PreviewPixels(panel);
    ClickRow(panel.Styles(), "Bold");
    const std::vector<uint32_t> bold = PreviewPixels(panel);
    const CLRect field = panel.SizeField().Rect();
    fDriver.Click(ScreenPoint(panel.SizeField(), CLPoint{field.right - 4, (field.top + field.bottom) / 2}));
    fDriver.TypeKey("\x7f", 51);
    fDriver.TypeKey("\x7f", 51);
    Type("20");
    const std::vector<uint32_t> larger = PreviewPixels(panel);

    // Serif, bold, then each size the field held on the way: "1" (after one Backspace), "2", "20".
    const std::vector<Picked> expected{{"DejaVu Serif", 12, false}, {"DejaVu Serif", 12, true}, {"DejaVu Serif", 1, true},
                                       {"DejaVu Serif", 2, true}, {"DejaVu Serif", 20, true}};
    ASSERT_EQ(picked.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(picked[i].family, expected[i].family) << i;
        EXPECT_EQ(picked[i].size, expected[i].size) << i;
        EXPECT_EQ(picked[i].bold, expected[i].bold) << i;
    }
    EXPECT_NE(serif, sans);
    EXPECT_NE(bold, serif);
    EXPECT_GT(Inked(larger), Inked(bold));

    fDriver.CloseByUser(*panel.Window()->Native());
    EXPECT_FALSE(plat::FontPanel::Shared().IsVisible());
    EXPECT_FALSE(panel.Window()->Native()->IsVisible());
    EXPECT_TRUE(FontPanelLinked(&picked, &KeepFont)) << "closing hides the panel; its owner keeps the link";
}

TEST_F(FontPanelTest, AModalRunEndsWhenTheUserClosesItWithTheFontChosen)
{
    appDriver.PlayWhenIdle({
        [&] { PostKey("D", 0); PostKey("e", 0); PostKey("j", 0); },   // DejaVu Math TeX Gyre, the first "Dej"
        [&] { PostKey("\xEF\x9C\x81", 125); PostKey("\xEF\x9C\x81", 125); },   // down twice: DejaVu Sans Mono
        [&] { PressEscape(); },
    });
    CFontRecord font;
    font.family = "DejaVu Sans";
    font.size = 15;
    EXPECT_EQ(RunFontPanel(true, font, &picked, &KeepFont, nullptr, kFontAttrSize | kFontAttrStyle), 0);
    EXPECT_EQ(std::string(font.family.View()), "DejaVu Sans Mono");
    EXPECT_EQ(font.size, 15.0f);
    EXPECT_FALSE(plat::FontPanel::Shared().IsVisible());
    EXPECT_FALSE(FontPanelLinked(&picked, &KeepFont)) << "a modal run unlinks its owner at the end";
    ASSERT_GE(picked.size(), 2u);
}

TEST_F(FontPanelTest, AFamilyOnlyInATestFolderIsListedAndDrawn)
{
    std::string bytes = ReadAll("/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf");
    ASSERT_GT(bytes.size(), 1000u);
    RenameInFont(bytes, "DejaVu Sans Mono", "Testing Two Mono");
    RenameInFont(bytes, "DejaVuSansMono", "TestingTwoMono");
    const std::string folder = TempPath("panel-fonts");
    WriteAll(folder + "/TestingTwoMono.ttf", bytes);
    ASSERT_TRUE(plat::FontQuery::AddFolder(folder));

    CFontPanelWindow& panel = ShowPanel("DejaVu Sans Mono", 14);
    const std::vector<uint32_t> original = PreviewPixels(panel);
    ClickRow(panel.Families(), "Testing Two Mono");
    ASSERT_NE(panel.Preview().Font(), nullptr);
    const std::vector<uint32_t> copy = PreviewPixels(panel);
    ASSERT_EQ(picked.size(), 1u);
    EXPECT_EQ(picked[0].family, "Testing Two Mono");
    EXPECT_GT(Inked(copy), 200);
    EXPECT_EQ(copy, original) << "the same glyphs under another name";
}
