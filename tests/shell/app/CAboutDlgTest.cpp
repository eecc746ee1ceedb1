#include "tests/shell/app/AppBaseKit.h"
#include "platform/system/BundleInfo.h"
#include "platform/system/UrlLauncher.h"
#include "shell/app/CAboutDlg.h"

#include <cstdlib>
#include <fstream>

namespace {

class AboutBox : public AppBaseTest {
protected:
    ~AboutBox() override
    {
        plat::SetMainBundleFolder("");
        plat::UrlLauncher::SetRecorder({});
    }
    // A bundle folder whose information file declares the given version (none when empty).
    void UseBundle(const std::string& version)
    {
        const std::string folder = std::string(std::getenv("TMPDIR")) + "/bundle";
        (void)std::system(("mkdir -p '" + folder + "'").c_str());
        std::ofstream info(folder + "/Info.plist");
        info << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>"
             << "<key>CFBundleName</key><string>Sonalyx</string>";
        if (!version.empty())
            info << "<key>CFBundleVersion</key><string>" << version << "</string>";
        info << "</dict></plist>\n";
        info.close();
        plat::SetMainBundleFolder(folder);
    }
};

TEST_F(AboutBox, TheLinkButtonOpensTheAddressAndLeavesTheBoxOpen)
{
    std::vector<std::string> opened;
    plat::UrlLauncher::SetRecorder([&](const std::string& url) { opened.push_back(url); });
    CAboutDlg about(app.get(), "https://example.org/sonalyx");
    EXPECT_TRUE(about.LinkButton().IsShown());
    int steps = 0;
    app->onModalStep = [&](LModalDialog&) {
        if (++steps == 1)
            LMessage::Send(LMessage(LDialog::msgSelected, const_cast<LStdButton*>(&about.LinkButton()), &about));
        else
            PressReturn();
        Nudge(10);
    };
    EXPECT_EQ(about.RunModal(), LModalDialog::kDefault);
    EXPECT_EQ(steps, 2) << "the link did not close the box";
    EXPECT_EQ(opened, std::vector<std::string>{"https://example.org/sonalyx"});
}

} // namespace
