#include "shell/app/CAboutDlg.h"

#include "foundation/text/LStrList.h"
#include "platform/system/BundleInfo.h"
#include "platform/system/UrlLauncher.h"
#include "tests/shell/app/AppBaseKit.h"
#include "tests/support/MemResourceSource.h"
#include "tests/support/PaneScreen.h"
#include "tests/support/TempHome.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

// The shipped resources with the About box's texts replaced.
class AboutTexts final : public LResourceSource {
public:
    explicit AboutTexts(const std::vector<std::string>& items) : fBase(LResourceSource::Global())
    {
        std::string bytes{char(items.size() >> 8), char(items.size() & 0xFF)};
        for (const std::string& item : items)
            bytes += item + '\0';
        fTexts.Add(kStrListDialogTexts, 128, CAboutDlg::kResName, bytes);
    }
    bool Load(uint32_t type, const LResRef& ref, std::vector<uint8_t>& out) override
    {
        return fTexts.Load(type, ref, out) || (fBase && fBase->Load(type, ref, out));
    }
    uint32_t GetRegion() const override { return fBase ? fBase->GetRegion() : kRegionUS; }

private:
    LResourceSource* fBase;
    MemResourceSource fTexts;
};

class AboutBox : public AppBaseTest {
protected:
    ~AboutBox() override
    {
        plat::SetMainBundleFolder("");
        plat::UrlLauncher::SetRecorder({});
    }
    // A bundle whose information file declares the given version (none when empty).
    void UseBundle(const std::string& version)
    {
        const std::string folder = fHome.path() + "/bundle";
        std::filesystem::create_directories(folder);
        std::ofstream info(folder + "/Info.plist");
        info << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>"
             << "<key>CFBundleName</key><string>Sonalyx</string>";
        if (!version.empty())
            info << "<key>CFBundleVersion</key><string>" << version << "</string>";
        info << "</dict></plist>\n";
        info.close();
        plat::SetMainBundleFolder(folder);
    }

    TempHome fHome;
};

} // namespace

// Each box runs modally; where the link button shows, the user clicks it and then presses Return.
TEST_F(AboutBox, HidesWhatIsMissingAndTheLinkOpensWithoutClosingTheBox)
{
    struct Row {
        const char* what;
        const char* version;   // of the bundle
        const char* address;   // item 4
        const char* heading;   // item 6
        const char* link;      // given by the caller
        const char* versionText;   // "" when the version line is hidden
        const char* opened;        // "" when there is no link button
        bool headingShown;
    };
    const Row rows[] = {
        {"no version", "", "https://a.example/", "Sonalyx", "", "", "https://a.example/", true},
        {"a version", "2.4", "https://a.example/", "Sonalyx", "", "Version 2.4", "https://a.example/", true},
        {"empty items 4 and 6", "2.4", "", "", "", "Version 2.4", "", false},
        {"the caller's link", "2.4", "", "", "https://b.example/x", "Version 2.4", "https://b.example/x", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        UseBundle(row.version);
        AboutTexts texts({"About", "OK", "Website", "Turns signals into control data.", row.address, "Version ",
                          row.heading});
        ScopedGlobalResources installed(&texts);
        std::vector<std::string> opened;
        plat::UrlLauncher::SetRecorder([&](const std::string& url) { opened.push_back(url); });

        CAboutDlg about(app.get(), LStringRef(row.link));
        EXPECT_EQ(about.LinkButton().IsShown(), *row.opened != '\0');
        EXPECT_EQ(about.Heading().IsShown(), row.headingShown);
        EXPECT_EQ(about.VersionCaption().IsShown(), *row.versionText != '\0');
        if (*row.versionText) {
            EXPECT_EQ(std::string(about.VersionCaption().Text().View()), row.versionText);
        }

        int step = 0;
        int stepsAfterLink = 0;
        app->modalSteps = 0;
        // The click is a person's: press, hold, release, played by the box's own loop.
        app->onModalStep = [&](LModalDialog&) {
            ++step;
            if (*row.opened && step == 1)
                fDriver.PlanClick(CentreOf(about.LinkButton()));
            else if (fDriver.Planned())
                Nudge(10);
            else if (stepsAfterLink++ == 0)
                PressReturn();
            else
                Nudge(10);
        };
        EXPECT_EQ(about.RunModal(), LModalDialog::kDefault);
        EXPECT_EQ(opened, *row.opened ? std::vector<std::string>{row.opened} : std::vector<std::string>{});
        EXPECT_EQ(stepsAfterLink, 1) << "the box stayed open after the link until Return";
    }
}
