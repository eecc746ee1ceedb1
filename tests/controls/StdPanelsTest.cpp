#include "controls/panels/CColorDialog_Cca.h"
#include "controls/panels/MMachFontPanel.h"
#include "platform/window/PanelTestDriver.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

using Bytes = std::array<uint8_t, 3>;

void KeepColor(void* argument, uint8_t red, uint8_t green, uint8_t blue)
{
    static_cast<std::vector<Bytes>*>(argument)->push_back({red, green, blue});
}

void KeepFont(void* argument, const CFontRecord& font, int32_t code)
{
    EXPECT_EQ(code, 2);
    static_cast<std::vector<CFontRecord>*>(argument)->push_back(font);
}

void OtherCallback(void*, const CFontRecord&, int32_t) {}

} // namespace

TEST(CColorDialog_Cca, EveryPickedColourIsReportedAndTheCloseBoxAccepts)
{
    plat::PanelTestDriver panels;
    std::vector<Bytes> seen;
    panels.ScriptColorPanel([](plat::ColorPanel& panel) {
        EXPECT_FALSE(panel.ShowsAlpha());
        EXPECT_NEAR(panel.Color().green, 128 / 255.0, 1e-9) << "opens on the colour given";
        panel.UserPicks({1.0, 0.5, 0.0});
        panel.UserPicks({0.0, 0.0, 1.0});
        return panel.UserCloses();
    });
    CColorDialog_Cca dialog;
    dialog.SetColor(10, 128, 255);
    dialog.Run(&seen, &KeepColor);
    EXPECT_TRUE(dialog.IsAccepted());
    EXPECT_EQ(seen, (std::vector<Bytes>{{255, 128, 0}, {0, 0, 255}}));

    panels.ScriptColorPanel([](plat::ColorPanel& panel) {
        panel.UserPicks({0.2, 0.2, 0.2});
        return 0;
    });
    dialog.Run(&seen, &KeepColor);
    EXPECT_FALSE(dialog.IsAccepted()) << "cancelled";
    EXPECT_EQ(seen.size(), 3u) << "the colour picked before cancelling was reported all the same";
    plat::ColorPanel::Shared().UserPicks({1, 1, 1});
    EXPECT_EQ(seen.size(), 3u) << "after the run the panel reports to nobody";
}

TEST(RunFontPanel, AModalRunFillsTheRecordWithTheLastFontPicked)
{
    plat::PanelTestDriver panels;
    std::vector<CFontRecord> seen;
    uint32_t modes = 0;
    panels.ScriptFontPanel([&](plat::FontPanel& panel) {
        EXPECT_EQ(panel.SelectedFont().family, "DejaVu Sans Mono");
        EXPECT_EQ(panel.SelectedFont().size, 10.5);
        modes = panel.ValidModes();
        panel.UserPicks({"DejaVuSerif-Bold", "DejaVu Serif", 14.0, true, false});
        panel.UserCloses();
    });
    CFontRecord font;
    font.family = "DejaVu Sans Mono";
    font.size = 10.5f;
    EXPECT_EQ(RunFontPanel(true, font, &seen, &KeepFont, nullptr, kFontAttrSize), 0);
    EXPECT_EQ(modes, 0xFFF000FEu) << "the collection and size, no face, no effects";
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_STREQ(font.family.Text(), "DejaVu Serif");
    EXPECT_STREQ(font.name.Text(), "DejaVuSerif-Bold");
    EXPECT_EQ(font.size, 14.0f);
    EXPECT_EQ(font.bold, 1);
    EXPECT_FALSE(plat::FontPanel::Shared().IsVisible());
    EXPECT_FALSE(FontPanelLinked(&seen, &KeepFont)) << "a modal run closes the panel";
}

TEST(RunFontPanel, AnUnknownFamilyOpensOnTheUserFontAndModelessRunsStayLinked)
{
    plat::PanelTestDriver panels;
    std::vector<CFontRecord> seen, others;
    CFontRecord font;
    font.family = "No Such Family";
    font.size = 9.0f;
    EXPECT_EQ(RunFontPanel(false, font, &seen, &KeepFont, nullptr, kFontAttrSize | kFontAttrStyle | kFontAttrColor), 2);
    EXPECT_TRUE(plat::FontPanel::Shared().IsVisible());
    EXPECT_EQ(plat::FontPanel::Shared().SelectedFont().family, "DejaVu Sans");
    EXPECT_EQ(FontPanelValidModes(), 0xFFF004FFu);

    CloseFontPanel(&others, &KeepFont);
    EXPECT_TRUE(plat::FontPanel::Shared().IsVisible()) << "another argument leaves the panel open";

    EXPECT_EQ(RunFontPanel(false, font, &others, &KeepFont, nullptr, 0), 2);
    plat::FontPanel::Shared().UserPicks({"DejaVuSans", "DejaVu Sans", 20.0, false, false});
    EXPECT_TRUE(seen.empty()) << "a second run reuses the panel for the new argument";
    ASSERT_EQ(others.size(), 1u);
    EXPECT_EQ(others[0].size, 20.0f);

    CloseFontPanel(&others, &OtherCallback);
    EXPECT_TRUE(FontPanelLinked(&others, &KeepFont));
    CloseFontPanel(&others, &KeepFont);
    EXPECT_FALSE(plat::FontPanel::Shared().IsVisible());
}
