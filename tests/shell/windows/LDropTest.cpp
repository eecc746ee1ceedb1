#include "WindowBridgeKit.h"
#include "foundation/core/StrEqual.h"
#include "platform/cursors/Cursor.h"
#include "platform/window/DragSession.h"
#include "platform/window/Pasteboard.h"
#include "platform/window/Window.h"
#include "shell/files/FileUrls.h"
#include "shell/windows/CDroppedFiles.h"
#include "shell/windows/LDrop.h"
#include "foundation/core/LByteBuffer.h"
#include "shell/windows/MWindowDelegate.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

class LDropTest : public WindowBridgeTest {
protected:
    void SetUp() override
    {
        fWindow->SetContentRect(CLRect{100, 100, 400, 300});
        fDesktop.ShowWindow(fWindow.get());
        fDrop.Register();
        plat::Pasteboard::Drag().Clear();
        plat::Pasteboard::Drag().SetData("FADR", {7});
        fFrame.seen.clear();
    }

    plat::DraggingInfo Info(uint32_t mask) const
    {
        return plat::DraggingInfo{fWindow->Native(), &plat::Pasteboard::Drag(), plat::Point{10, 20}, mask};
    }

    std::unique_ptr<LWindow> fWindow = MakeWindow(9);
    LDrop fDrop{fWindow->Native()};
};

} // namespace

TEST_F(LDropTest, AWindowThatConsumesEnterWinRefusesTheDragSilently)
{
    RecordingHandler refuser(nullptr, "LDrop_EnterWin");
    fWindow->SetParent(&refuser);
    plat::DragSession drag(plat::Pasteboard::Drag(), plat::kDragCopy);
    EXPECT_EQ(drag.MoveTo(plat::Point{150, 700}), 0u);
    EXPECT_EQ(drag.MoveTo(plat::Point{160, 700}), 0u);
    EXPECT_FALSE(drag.Drop());
    EXPECT_EQ(refuser.seen, (std::vector<std::string>{"LDrop_EnterWin"}));
    EXPECT_FALSE(fDrop.Accepting());
    fWindow->SetParent(&fFrame);
}

TEST_F(LDropTest, EnteringUpdatesTheDragPointAndTheEmptyPartRefusesWithTheArrow)
{
    RecordingHandler pane(nullptr, "LDrop_Enter"); // a drop pane takes the drag when it enters
    plat::DragSession drag(plat::Pasteboard::Drag(), plat::kDragCopy);
    EXPECT_EQ(drag.MoveTo(plat::Point{150, 700}), 0u);
    EXPECT_TRUE(fDrop.Accepting());
    EXPECT_EQ(fDrop.DragPoint(), (CLPoint{150, 200}));
    fDrop.EnterPane(&pane);
    EXPECT_EQ(pane.seen, (std::vector<std::string>{"LDrop_Enter", "LDrop_Drag"}));
    fDrop.SetAccept(LDrop::kCopy);
    EXPECT_EQ(fDrop.Cursor(), LDrop::DropCursor::DragCopy);
    EXPECT_EQ(drag.MoveTo(plat::Point{155, 700}), 0u); // no pane takes the sense here
    EXPECT_EQ(pane.seen.back(), "LDrop_Leave");
    EXPECT_EQ(fDrop.CurrentPane(), nullptr);
    EXPECT_EQ(fDrop.Cursor(), LDrop::DropCursor::Arrow);
    EXPECT_EQ(plat::Cursor::Current()->Shape(), plat::CursorShape::Arrow);
}

TEST_F(LDropTest, AcceptKindsAnswerOperationsAndCursors)
{
    fDrop.DraggingEntered(Info(plat::kDragCopy | plat::kDragMove));
    fDrop.SetAccept(LDrop::kAsSource);
    EXPECT_EQ(fDrop.Operation(), uint32_t(plat::kDragCopy | plat::kDragMove));
    EXPECT_EQ(fDrop.Cursor(), LDrop::DropCursor::Arrow);
    EXPECT_FALSE(fDrop.IsCopyOnly());
    fDrop.DraggingUpdated(Info(plat::kDragCopy | plat::kDragPrivate));
    EXPECT_EQ(fDrop.AcceptKind(), 0); // every update resets the answer
    fDrop.SetAccept(LDrop::kAsSource);
    EXPECT_TRUE(fDrop.IsCopyOnly());
    EXPECT_EQ(fDrop.Cursor(), LDrop::DropCursor::DragCopy);
    fDrop.SetAccept(LDrop::kMove);
    EXPECT_EQ(fDrop.Operation(), uint32_t(plat::kDragMove));
    fDrop.SetAccept(LDrop::kCopyPlus);
    EXPECT_EQ(fDrop.Operation(), uint32_t(plat::kDragCopy));
    EXPECT_EQ(fDrop.Cursor(), LDrop::DropCursor::Plus);
    fDrop.SetAccept(LDrop::kLink);
    EXPECT_EQ(fDrop.Operation(), uint32_t(plat::kDragLink));
    EXPECT_EQ(fDrop.Cursor(), LDrop::DropCursor::DragLink);
    EXPECT_EQ(plat::Cursor::Current()->Shape(), plat::CursorShape::DragLink);
    fDrop.SetAccept(LDrop::kCopy);
    EXPECT_EQ(plat::Cursor::Current()->Shape(), plat::CursorShape::DragCopy);
    fDrop.SetAccept(9);
    EXPECT_EQ(fDrop.Operation(), 0u);
}

TEST_F(LDropTest, ADropReachesThePaneWithoutALeave)
{
    RecordingHandler pane(nullptr, "LDrop_Enter"); // a drop pane takes the drag when it enters
    pane.onMessage = [&](const LMessage& msg) {
        if (StrEqual(msg.type, LDrop::msgDrop))
            fDrop.SetAccept(LDrop::kCopy);
    };
    const plat::DraggingInfo info = Info(plat::kDragCopy);
    fDrop.DraggingEntered(info);
    fDrop.EnterPane(&pane);
    EXPECT_TRUE(fDrop.PrepareForDragOperation(info));
    EXPECT_TRUE(fDrop.PerformDragOperation(info));
    EXPECT_EQ(pane.seen, (std::vector<std::string>{"LDrop_Enter", "LDrop_Drag", "LDrop_Drop"}));
    EXPECT_EQ(fDrop.CurrentPane(), nullptr);
    LByteBuffer data;
    ASSERT_TRUE(fDrop.Pasteboard().GetFlavor(LScrapFlavor{LStringRef("FADR"), 0}, data));
    EXPECT_EQ(data.Data()[0], 7);
}

TEST(CDroppedFiles, ReadsItemUrlsAnOldStyleUrlOrAListOfPaths)
{
    const std::string dir = std::getenv("TMPDIR");
    const std::string file = dir + "/a b.wav";
    std::ofstream(file) << "x";
    const std::string link = dir + "/link.wav";
    ASSERT_EQ(symlink(file.c_str(), link.c_str()), 0);
    plat::Pasteboard& board = plat::Pasteboard::Drag();
    plat::WindowTestDriver driver;
    auto window = plat::Window::Make(plat::Rect{0, 0, 10, 10}, 1);
    LDrop drop(window.Get());
    const plat::DraggingInfo info{window.Get(), &board, {}, 1};
    drop.DraggingUpdated(info);
    CDroppedFiles files(&drop);
    LStringRef out;

    board.Clear();
    EXPECT_FALSE(files.HasFiles());
    EXPECT_FALSE(files.GetPath(0, out));
    board.Clear();
    const std::string url = "file://" + dir + "/a%20b.wav";
    board.AddItem({{plat::Pasteboard::kTypeFileUrl, plat::Pasteboard::Bytes(url.begin(), url.end())}});
    EXPECT_TRUE(files.HasFiles());
    ASSERT_TRUE(files.GetPath(0, out));
    EXPECT_EQ(out, UrlFromPosixPath(file));
    EXPECT_FALSE(files.GetPath(1, out));

    board.Clear();
    board.SetText(CDroppedFiles::kTypeUrl, "file://localhost" + dir + "/link.wav");
    EXPECT_TRUE(files.HasFiles());
    ASSERT_TRUE(files.GetFile(0, out)); // the link is followed
    EXPECT_EQ(out, UrlFromPosixPath(file));
    EXPECT_FALSE(files.GetPath(1, out)); // one old-style URL holds one file only

    board.Clear();
    board.SetText(CDroppedFiles::kTypeFilenames,
                  "<plist><array><string>" + file + "</string><string>/tmp/x</string></array></plist>");
    ASSERT_TRUE(files.GetPath(1, out));
    EXPECT_EQ(out, UrlFromPosixPath("/tmp/x"));
    EXPECT_FALSE(files.GetPath(2, out));
    board.Clear();
    board.SetText(CDroppedFiles::kTypeFilenames, "<plist><array><string>unclosed");
    EXPECT_FALSE(files.GetPath(0, out));

    for (const char* url : {"http://host/a", "file://otherhost/a", "file:"})
        EXPECT_FALSE(CDroppedFiles::URLToPath(url, out)) << url;
    EXPECT_TRUE(CDroppedFiles::URLToPath("FILE:///tmp", out));
    EXPECT_FALSE(CDroppedFiles(nullptr).HasFiles());
    board.Clear();
}
