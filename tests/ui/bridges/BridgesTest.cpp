#include "platform/app/Application.h"
#include "platform/app/ApplicationDriver.h"
#include "shell/files/FileUrls.h"
#include "tests/foundation/TempFiles.h"
#include "ui/bridges/LBundleVersion.h"
#include "ui/bridges/MMachColorPanel.h"
#include "ui/bridges/TextColorToNSColor.h"
#include "controls/CColor.h"
#include "platform/draw/SystemColors.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

TEST(LBundleVersion, ReadsTheVersionEntryOrNothing)
{
    const std::string bundle = TempPath("Tool.app");
    WriteAll(bundle + "/Info.plist", "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>CFBundleVersion</key>"
                                     "<string>1.4.2</string></dict></plist>");
    EXPECT_EQ(LBundleVersion(UrlFromPosixPath(bundle)).GetText(), "1.4.2");

    const std::string bare = TempPath("Bare.app");
    for (const char* plist : {"<?xml version=\"1.0\"?><plist version=\"1.0\"><dict/></plist>",
                              "<plist><dict><key>CFBundleVersion</key>"}) {
        WriteAll(bare + "/Info.plist", plist);
        EXPECT_EQ(LBundleVersion(UrlFromPosixPath(bare)).GetText(), "") << plist;
    }
    EXPECT_EQ(LBundleVersion(UrlFromPosixPath(TempPath("Missing.app"))).GetText(), "");
    EXPECT_EQ(LBundleVersion(LStringRef()).GetText(), "");
}

namespace {

std::vector<float> gReported;
int gEventCode = 0;

void Report(void* context, const float* rgba, int eventCode)
{
    *static_cast<int*>(context) += 1;
    gReported.assign(rgba, rgba + 4);
    gEventCode = eventCode;
}

} // namespace

TEST(MMachColorPanel, ReportsColoursAsRgbaAndEndsOnlyItsModalSession)
{
    plat::ApplicationDriver driver;
    int calls = 0;
    MMachColorPanel panel(&calls, &Report, false);
    MPanelColor orange;
    orange.components[0] = 1.0;
    orange.components[1] = 128 / 255.0;
    orange.alpha = 0.5;
    panel.ChangeColor(orange);
    ASSERT_EQ(gReported.size(), 4u);
    EXPECT_NEAR(gReported[1], 0.502f, 1e-3);
    EXPECT_EQ(std::pair(gReported[3], gEventCode), std::pair(0.5f, int(MMachColorPanel::kColorChanged)));
    MPanelColor grey;
    grey.model = MPanelColor::kGray;
    grey.components[0] = 0.25;
    panel.ChangeColor(grey);
    EXPECT_EQ(gReported, (std::vector<float>{0.25f, 0.25f, 0.25f, 1.0f}));
    EXPECT_EQ(calls, 2);

    plat::Application& app = plat::Application::Shared();
    int window = 0;
    plat::ModalSession* session = app.BeginModalSession(&window);
    panel.WindowWillClose();
    EXPECT_EQ(app.RunModalSession(session), plat::Application::kRunContinues);
    MMachColorPanel modal(nullptr, nullptr, true);
    modal.ChangeColor(orange); // no callback: nothing
    modal.WindowWillClose();
    EXPECT_EQ(app.RunModalSession(session), plat::Application::kRunStopped);
    app.EndModalSession(session);
}

TEST(TextColorToNSColor, KindsGiveSystemOrOwnColours)
{
    // Counted colour records go with the handles that hold them here.
    std::vector<CColorRef> held;
    const auto Held = [&held](CColor* color) -> const CColor* {
        held.emplace_back(color);
        return color;
    };
    const plat::Color own = TextColorToNSColor(Held(CColor::FromRGB(255, 128, 0, 255, 0.25f)));
    EXPECT_NEAR(own.green, 0.502, 1e-3);
    EXPECT_EQ(std::tuple(own.red, own.blue, own.alpha), std::tuple(1.0, 0.0, 1.0));  // opaque, whatever the record's alpha
    const auto same = [](const plat::Color& a, const plat::Color& b) {
        return a.red == b.red && a.green == b.green && a.blue == b.blue && a.alpha == b.alpha;
    };
    const plat::Color text = plat::SystemColorValue(plat::SystemColor::Text);
    EXPECT_TRUE(same(TextColorToNSColor(nullptr), text));
    EXPECT_TRUE(same(TextColorToNSColor(Held(CColor::FromRGB(9, 9, 9, 42, 1.0f))), text));
    for (uint32_t index : {2u, 8u})
        EXPECT_TRUE(same(TextColorToNSColor(Held(CColor::FromRGB(9, 9, 9, index, 1.0f))),
                         plat::SystemColorValue(plat::SystemColor::DisabledControlText))) << index;
    EXPECT_TRUE(same(TextColorToNSColor(CColor::Grey(3)), plat::Color{1, 1, 1, 1})); // index 3: white
    EXPECT_TRUE(same(TextColorToNSColor(Held(CColor::FromRGB(9, 9, 9, 7, 1.0f))),
                     plat::SystemColorValue(plat::SystemColor::SelectedControlText)));
}
