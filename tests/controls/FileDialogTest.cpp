#include "controls/panels/COpenFileDialog.h"
#include "controls/panels/CSaveFileDialog.h"
#include "foundation/records/LFieldDesc.h"
#include "platform/window/FilePanel.h"
#include "platform/window/PanelTestDriver.h"
#include "shell/files/FileUrls.h"
#include "ui/files/CFileTypeList.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

// A folder holding a document, a text file, a plain folder and a package, with an open
// dialog's file types: documents, text, and any file.
class FileDialogTest : public ::testing::Test {
protected:
    FileDialogTest()
    {
        const char* tmp = std::getenv("TMPDIR");
        fDir = std::string(tmp ? tmp : "/tmp") + "/panels";
        mkdir(fDir.c_str(), 0755);
        mkdir((fDir + "/Sub").c_str(), 0755);
        mkdir((fDir + "/Show.snx").c_str(), 0755);
        std::ofstream(fDir + "/a.snx") << "<x/>";
        std::ofstream(fDir + "/b.txt") << "text";
        std::ofstream(fDir + "/C.SNX") << "<x/>";
        fTypes.AddEntry("snx", "Sonalyx document", FourCC("YSNX"), FourCC("SNXD"));
        fTypes.AddEntry("txt", "Text", FourCC("YSNX"), FourCC("TEXT"));
        fTypes.AddEntry("*", "Any file", FourCC("\?\?\?\?"), FourCC("****"));
    }
    LStringRef Location(const std::string& path) const { return UrlFromPosixPath(path); }
    std::vector<std::string> Listed(const plat::FilePanel& panel) const
    {
        std::vector<std::string> names;
        for (const std::string& path : panel.ListedItems())
            names.push_back(path.substr(fDir.size() + 1));
        return names;
    }

    plat::PanelTestDriver fPanels;
    std::string fDir;
    CFileTypeList fTypes{"NO SUCH LIST"};
};

using Names = std::vector<std::string>;

} // namespace

TEST_F(FileDialogTest, TheChosenTypeFiltersTheOpenPanel)
{
    COpenFileDialog dialog;
    dialog.SetFileTypes(&fTypes);
    dialog.SetStartPath(Location(fDir + "/a.snx"));
    EXPECT_EQ(dialog.ChosenType().fileType, (FourCC("SNXD")));
    EXPECT_EQ(dialog.SelectedTypeIndex(), 0);

    Names seen;
    std::string directory, file;
    fPanels.ScriptFilePanel([&](plat::FilePanel& panel) {
        directory = panel.Directory();
        file = panel.FileName();
        seen = Listed(panel);
        panel.ChoosePath(fDir + "/a.snx");
        return plat::FilePanel::kOK;
    });
    ASSERT_TRUE(dialog.Run(0));
    EXPECT_TRUE(dialog.IsAccepted());
    EXPECT_EQ(directory, fDir);
    EXPECT_EQ(file, "a.snx");
    EXPECT_EQ(seen, (Names{"C.SNX", "Show.snx", "Sub", "a.snx"})) << "folders and files of the type in any case; a package of the type counts as a file";
    EXPECT_STREQ(dialog.GetFile().Text(), Location(fDir + "/a.snx").Text());

    fPanels.ScriptFilePanel([&](plat::FilePanel& panel) {
        dialog.ApplyFileType(1);
        seen = Listed(panel);
        return plat::FilePanel::kCancel;
    });
    EXPECT_FALSE(dialog.Run(0));
    EXPECT_FALSE(dialog.IsAccepted());
    EXPECT_EQ(seen, (Names{"Sub", "b.txt"})) << "the package is hidden when it is not of the type";
    EXPECT_EQ(dialog.ChosenType().fileType, (FourCC("TEXT")));
}

TEST_F(FileDialogTest, AnyTypeShowsEveryFileAndPackagesAreHiddenUnlessBrowsed)
{
    COpenFileDialog dialog;
    dialog.SetFileTypes(&fTypes);
    dialog.SetStartPath(Location(fDir + "/b.unknown"));
    EXPECT_EQ(dialog.SelectedTypeIndex(), 2) << "no entry for the extension: the first \"*\" entry";
    EXPECT_STREQ(dialog.StartDirectory().Text(), Location(fDir).Text()) << "a missing file starts in its folder";

    Names seen;
    fPanels.ScriptFilePanel([&](plat::FilePanel& panel) {
        EXPECT_FALSE(panel.AllowedFileTypes().has_value());
        seen = Listed(panel);
        return plat::FilePanel::kCancel;
    });
    (void)dialog.Run(0);
    EXPECT_EQ(seen, (Names{"C.SNX", "Sub", "a.snx", "b.txt"})) << "any type: the package stays hidden";
    (void)dialog.Run(COpenFileDialog::kPackagesAsFolders);
    EXPECT_EQ(seen, (Names{"C.SNX", "Show.snx", "Sub", "a.snx", "b.txt"}));
}

TEST_F(FileDialogTest, AStartPathThatDoesNotExistOpensInTheNearestFolder)
{
    CSaveFileDialog save;
    save.SetFileTypes(&fTypes);
    EXPECT_EQ(save.SaveType().fileType, (FourCC("SNXD"))) << "the first entry is the save type";
    save.SetStartPath(Location(fDir + "/gone/deeper/new name.snx"));
    EXPECT_STREQ(save.StartDirectory().Text(), Location(fDir).Text());
    EXPECT_STREQ(save.DefaultName().Text(), "new name.snx");

    std::string directory, file;
    fPanels.ScriptFilePanel([&](plat::FilePanel& panel) {
        directory = panel.Directory();
        file = panel.FileName();
        EXPECT_EQ(panel.GetKind(), plat::FilePanel::Kind::Save);
        panel.ChoosePath(fDir + "/saved.snx");
        return plat::FilePanel::kOK;
    });
    ASSERT_TRUE(save.Run());
    EXPECT_EQ(directory, fDir);
    EXPECT_EQ(file, "new name.snx");
    EXPECT_STREQ(save.GetFile().Text(), Location(fDir + "/saved.snx").Text()) << "a file not yet there resolves";
}

TEST_F(FileDialogTest, WithoutTypesAnyFileIsListedAndWithoutAScriptTheUserCancels)
{
    COpenFileDialog dialog;
    dialog.SetStartPath(Location(fDir));
    EXPECT_TRUE(dialog.ChosenType().any);
    EXPECT_FALSE(dialog.Run(0));
    ASSERT_NE(dialog.Panel(), nullptr);
    EXPECT_EQ(dialog.Panel()->AccessoryView(), nullptr);
    EXPECT_FALSE(dialog.Panel()->AllowedFileTypes().has_value());
    EXPECT_TRUE(dialog.GetFile().IsEmpty());
}

// A folder given as the place to start (a location that names no file yet, such as the
// documents folder) is opened: the panel lists what is inside it, nothing selected.
TEST_F(FileDialogTest, AFolderAsTheStartIsOpened)
{
    // The folder and the file name the panel starts with.
    const auto startsWith = [&](const std::string& start) {
        COpenFileDialog dialog;
        dialog.SetFileTypes(&fTypes);
        dialog.SetStartPath(Location(start));
        std::pair<std::string, std::string> shown;
        fPanels.ScriptFilePanel([&](plat::FilePanel& panel) {
            shown = {panel.Directory(), panel.FileName()};
            return plat::FilePanel::kCancel;
        });
        EXPECT_FALSE(dialog.Run(0));
        return shown;
    };
    using Shown = std::pair<std::string, std::string>;
    EXPECT_EQ(startsWith(fDir + "/Sub"), (Shown{fDir + "/Sub", ""}));
    EXPECT_EQ(startsWith(fDir + "/Sub/"), (Shown{fDir + "/Sub", ""}));
    // A document package is a folder too, but one shown as a file: it stays selected.
    EXPECT_EQ(startsWith(fDir + "/Show.snx"), (Shown{fDir, "Show.snx"}));
    EXPECT_EQ(startsWith(fDir + "/a.snx"), (Shown{fDir, "a.snx"}));
}
