#pragma once
#include "controls/panels/CFilePanelRunner.h"
#include "controls/panels/CFilePanelWindow.h"
#include "platform/files/FileSystem.h"
#include "platform/window/FilePanel.h"
#include "platform/window/WindowServer.h"
#include "tests/foundation/TempFiles.h"
#include "tests/shell/app/AppBaseKit.h"
#include "tests/support/PaneScreen.h"
#include "ui/dialogs/CSimpleMessageDialog.h"
#include "ui/windows/LWindow.h"

#include <unistd.h>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

// The program's own open and save panels, run under the application base; the user acts
// each time the program waits for input.
class FilePanelTest : public AppBaseTest {
protected:
    FilePanelTest()
    {
        InstallFilePanelRunner();
        root = TempPath("browse-" + std::to_string(getpid()));
        std::filesystem::remove_all(root);
        WriteAll(root + "/a.snx", "<x/>");
        WriteAll(root + "/b.txt", "text");
        WriteAll(root + "/.hidden.snx", "<x/>");
        WriteAll(root + "/sub/c.snx", "<x/>");
    }
    ~FilePanelTest() override
    {
        plat::SetListFolderFailure(nullptr);
        RemoveFilePanelRunner();
    }
    // The panel window in front, or null.
    static CFilePanelWindow* Panel()
    {
        LWindow* window = LWindow::FindByNative(plat::WindowServer::Shared().KeyWindow());
        return window ? dynamic_cast<CFilePanelWindow*>(window->GetOwner()) : nullptr;
    }
    static bool MessageShown()
    {
        LWindow* window = LWindow::FindByNative(plat::WindowServer::Shared().KeyWindow());
        return window && dynamic_cast<CSimpleMessageDialog*>(window->GetOwner());
    }
    // The names the list shows, in order.
    static std::vector<std::string> Shown()
    {
        std::vector<std::string> names;
        if (CFilePanelWindow* panel = Panel())
            for (const auto& entry : panel->Browser().Entries())
                names.push_back(entry.shownName);
        return names;
    }
    // A press and release at a screen point, posted: the waiting program delivers them.
    void PostClick(const plat::Point& where)
    {
        fDriver.PostMouse(plat::EventType::LeftMouseDown, where);
        fDriver.PostMouse(plat::EventType::LeftMouseUp, where);
    }
    // A click on a row of the list (twice: a double-click). A single click comes a second
    // after whatever came before, as a person's does: it never pairs with an earlier click.
    void ClickRow(int32_t row, int times = 1)
    {
        CFileListPane& list = Panel()->List();
        const CLRect r = list.RowRect(row);
        if (times == 1)
            clock.AdvanceMs(1000);
        for (int i = 0; i < times; i++)
            PostClick(ScreenPoint(list, CLPoint{r.left + 20, (r.top + r.bottom) / 2}));
    }
    void Type(const std::string& characters, uint16_t keyCode = 0) { PostKey(characters, keyCode); }
    void PressBackspace() { PostKey("\x7f", 51); }
    // Runs the panel with the actions the user takes while it waits; answers its answer.
    int Run(plat::FilePanel& panel, const std::string& fileName, std::vector<std::function<void()>> actions)
    {
        appDriver.PlayWhenIdle(std::move(actions));
        return panel.RunModal(root, fileName);
    }

    std::string root;
};
