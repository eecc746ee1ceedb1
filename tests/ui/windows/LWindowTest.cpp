#include "foundation/core/LStringRef.h"
#include "foundation/geometry/LRegion.h"
#include "platform/window/View.h"
#include "platform/window/Window.h"
#include "platform/window/WindowTestDriver.h"
#include "shell/windows/CDesktop.h"
#include "shell/windows/CNativeWindowKind.h"
#include "shell/windows/MWindowDelegate.h"
#include "shell/windows/WindowNumberCache.h"
#include "tests/support/RecordingHandler.h"
#include "ui/windows/LWindow.h"

#include <gtest/gtest.h>

#include <vector>

#include <tuple>

#include <memory>

namespace {

class Attachment : public LWindowAttachment {
public:
    explicit Attachment(int& deleted) : fDeleted(deleted) {}
    ~Attachment() override { ++fDeleted; }

private:
    int& fDeleted;
};

class LWindowTest : public ::testing::Test {
protected:
    std::unique_ptr<LWindow> Make(uint32_t kind, LWindowAttachment* attachment = nullptr)
    {
        LRef held(new CNativeWindowKind(kind));
        LWindowDef def(1, static_cast<CNativeWindowKind*>(held.Get()));
        def.attachment = attachment;
        return std::make_unique<LWindow>(def, &fFrame, nullptr);
    }

    plat::WindowTestDriver fDriver;
    CDesktop fDesktop;
    RecordingHandler fFrame;
};

} // namespace

TEST_F(LWindowTest, WindowsWithANativeWindowJoinTheListAndAreFoundByIt)
{
    auto a = Make(9);
    auto b = Make(0);
    plat::Ref<plat::Window> stranger = plat::Window::Make(plat::Rect{0, 0, 10, 10}, 1);
    EXPECT_EQ((std::vector<LWindow*>{LWindow::FindByNative(a->Native()), LWindow::FindByNative(b->Native()),
                                     LWindow::FindByNative(stranger.Get()), LWindow::FindByNative(nullptr)}),
              (std::vector<LWindow*>{a.get(), b.get(), nullptr, nullptr}));
    EXPECT_EQ((std::vector<LWindow*>{LWindow::Next(nullptr), LWindow::Next(a.get()), LWindow::Next(b.get())}),
              (std::vector<LWindow*>{a.get(), b.get(), nullptr}));
    EXPECT_EQ(a->GetOwner(), &fFrame);
    plat::Window* native = a->Native();
    a.reset();
    EXPECT_EQ(LWindow::Next(nullptr), b.get());
    EXPECT_NE(LWindow::FindByNative(native), b.get());
}

TEST_F(LWindowTest, ADefinitionWithoutKindOrWithoutDesktopMakesNoNativeWindow)
{
    LWindow nested(LWindowDef::Default(), &fFrame, nullptr);
    EXPECT_EQ(nested.Native(), nullptr);
    EXPECT_EQ(LWindow::Next(nullptr), nullptr);
    EXPECT_FALSE(nested.IsVisible() || nested.IsClosable());
    EXPECT_EQ(nested.GetContentRect(), CLRect{});
    EXPECT_EQ(nested.FrameRectForContentRect(CLRect{1, 2, 3, 4}), (CLRect{1, 2, 3, 4}));
    nested.SetContentRect(CLRect{1, 2, 3, 4});
    nested.InvalidateRect(LRegion(CLRect{0, 0, 5, 5}));
    EXPECT_EQ(nested.GetContentView(), nullptr);
    EXPECT_EQ(LWindowDef::Default().layer, 1u);
}

TEST_F(LWindowTest, NativeOperationsAndInvalidationConvertCoordinates)
{
    auto doc = Make(9);
    EXPECT_TRUE(doc->IsClosable() && doc->IsResizable());
    EXPECT_EQ(doc->GetContentRect(), (CLRect{40, 40, 160, 120})); // the starting rectangle
    doc->SetContentRect(CLRect{100, 200, 500, 450});
    EXPECT_EQ(doc->GetContentRect(), (CLRect{100, 200, 500, 450}));
    EXPECT_EQ(doc->GetFrameRect(), (CLRect{100, 178, 500, 450}));
    EXPECT_EQ(doc->FrameRectForContentRect(CLRect{0, 30, 10, 40}), (CLRect{0, 8, 10, 40}));
    doc->SetTitle(LStringRef("Untitled"));
    EXPECT_EQ(doc->Native()->Title(), "Untitled");
    auto dialog = Make(0);
    EXPECT_FALSE(dialog->IsResizable() || dialog->IsClosable());
    // Invalidation flips against the content height.
    plat::View* content = doc->GetContentView();
    content->ClearDirty();
    doc->InvalidateRect(LRegion(CLRect{10, 20, 30, 60}));
    ASSERT_EQ(content->DirtyRects().size(), 1u);
    const plat::Rect dirty = content->DirtyRects().front();
    EXPECT_EQ(std::tuple(dirty.x, dirty.y, dirty.width, dirty.height), std::tuple(10.0, 250.0 - 60, 20.0, 40.0));
}

TEST_F(LWindowTest, AttachesDelegateAndViewAndOwnsItsAttachment)
{
    int deleted = 0;
    auto doc = Make(9, new Attachment(deleted));
    plat::Window* native = doc->Native();
    EXPECT_EQ(native->Delegate(), doc->Delegate());
    EXPECT_EQ(doc->Delegate()->Owner(), doc.get());
    EXPECT_TRUE(native->acceptsMouseMovedEvents);
    EXPECT_FALSE(native->cursorRectsEnabled || native->ContentView()->autoresizesSubviews);
    doc->SetAttachment(new Attachment(deleted));
    EXPECT_EQ(deleted, 1);
    plat::Ref<plat::Window> keep(native); // see what destruction leaves behind
    doc.reset();
    EXPECT_EQ(deleted, 2);
    EXPECT_TRUE(keep->Delegate() == nullptr && keep->ContentView() == nullptr);
    EXPECT_EQ(keep->RetainCount(), 1);
}
