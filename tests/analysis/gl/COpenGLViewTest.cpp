#include "analysis/gl/COpenGLView.h"
#include "analysis/gl/SharedGLContext.h"
#include "foundation/core/StrEqual.h"
#include "platform/gl/GLContext.h"
#include "platform/window/Window.h"
#include "platform/window/WindowStyle.h"
#include "platform/window/WindowTestDriver.h"
#include "shell/gl/CGLContext.h"
#include "shell/gl/MGLView2.h"
#include "ui/draw/LPortState.h"
#include "ui/panes/LPaneContext.h"
#include "ui/panes/LPaneFlags.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// Counts the render requests that reach the owner and consumes every message.
class Owner : public LHandler {
public:
    Owner() : LHandler(nullptr) {}
    void HandleMessage(LMessage& result, const LMessage& msg) override
    {
        if (StrEqual(msg.type, COpenGLView::msgUpdate))
            ++updates;
        LMessage::Clear(result);
    }
    int updates = 0;
};

// The view's parent and host: a pane in a window whose visible part and origin the test sets.
class HostPane : public LPane {
public:
    HostPane(LHandler* parent, plat::Window* window) : LPane(parent, nullptr), fWindow(window) {}
    void GetContext(LPaneContext& context) const override
    {
        context.window = fWindow;
        context.clip = clip;
        context.originX = originX;
        context.originY = originY;
    }
    LRegion clip;
    int32_t originX = 0;
    int32_t originY = 0;

private:
    plat::Window* fWindow;
};

class COpenGLViewTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SharedGLContext()->HasContext()) << SharedGLContext()->Error();
        fWindow = plat::Window::Make(plat::Rect{0, 0, 200, 100}, plat::kStyleTitled);
        fContext = std::make_unique<CGLContext>(fWindow.Get(), nullptr);
        ASSERT_TRUE(fContext->HasContext()) << fContext->Error();
        fHost = std::make_unique<HostPane>(&fOwner, fWindow.Get());
        fHost->clip = LRegion(CLRect{0, 0, 200, 100});
        fHost->originX = 10;
        fHost->originY = 5;
        fView = std::make_unique<COpenGLView>(fHost.get(), fContext.get());
        fView->SetRect(CLRect{0, 0, 50, 40});
        fOwner.updates = 0;
    }
    void TearDown() override
    {
        fView.reset();
        fHost.reset();
        fContext.reset();
        plat::GLContext::ClearCurrent();
    }

    plat::WindowTestDriver fDriver;
    Owner fOwner;
    plat::Ref<plat::Window> fWindow;
    std::unique_ptr<CGLContext> fContext;
    std::unique_ptr<HostPane> fHost;
    std::unique_ptr<COpenGLView> fView;
};

} // namespace

TEST_F(COpenGLViewTest, HiddenHostGivesAnEmptySurfaceAndNoRequestButDrawingAsksForOne)
{
    EXPECT_TRUE(fView->HasFlags(kPaneTransparent | kPaneOpaque)); // to the mouse, and to drawing
    EXPECT_EQ(fView->Host(), fHost.get());
    fView->Update(); // shown, but the host is not
    EXPECT_TRUE(fView->glRect.IsEmpty());
    EXPECT_TRUE(fView->glRegion.IsEmpty());
    EXPECT_TRUE(fContext->Frame().IsEmpty());
    EXPECT_EQ(fOwner.updates, 0);
    LPortState port;
    fView->DrawSelf(port);
    EXPECT_EQ(fOwner.updates, 1);
}

TEST_F(COpenGLViewTest, ShowingPlacesTheSurfaceAndAsksOnceForARender)
{
    fView->SetState(kEventHostShow);
    const CLRect expected{10, 5, 60, 45};
    EXPECT_EQ(fView->glRect, expected);
    EXPECT_TRUE(fView->glRegion.Equals(LRegion(expected)));
    EXPECT_EQ(fContext->Frame(), expected);
    EXPECT_EQ(fOwner.updates, 1);
    EXPECT_TRUE(fContext->View()->IsOpaque());

    fView->SetState(kEventMoved); // nothing changed: no request
    EXPECT_EQ(fOwner.updates, 1);
    fView->SetRect(CLRect{0, 0, 50, 40}); // the same rectangle
    EXPECT_EQ(fOwner.updates, 1);
}

TEST_F(COpenGLViewTest, VisiblePartFollowsTheClipOfTheWindow)
{
    LRegion clip(CLRect{0, 0, 200, 100});
    clip.Subtract(LRegion(CLRect{30, 0, 200, 20})); // a pane covers the top right
    fHost->clip = clip;
    fView->SetState(kEventHostShow);
    LRegion expected(CLRect{10, 5, 60, 45});
    expected.Intersect(clip);
    EXPECT_EQ(fView->glRect, (CLRect{10, 5, 60, 45}));
    EXPECT_TRUE(fView->glRegion.Equals(expected));
    EXPECT_FALSE(fContext->View()->IsOpaque());
    EXPECT_EQ(fOwner.updates, 1);

    fHost->clip = LRegion(CLRect{0, 30, 200, 100}); // only the lower part of the window shows
    fView->SetState(kEventMoved);
    EXPECT_EQ(fView->glRect, (CLRect{10, 30, 60, 45}));
    EXPECT_EQ(fOwner.updates, 2);
    fHost->clip = LRegion(CLRect{100, 0, 200, 100}); // fully covered: asks for nothing
    fView->SetState(kEventMoved);
    EXPECT_TRUE(fView->glRegion.IsEmpty());
    EXPECT_EQ(fOwner.updates, 2);
}

TEST_F(COpenGLViewTest, HidingEmptiesTheSurfaceQuietlyAndShowingAsksAgain)
{
    fView->SetState(kEventHostShow);
    ASSERT_EQ(fOwner.updates, 1);
    fView->SetState(kEventHide);
    EXPECT_TRUE(fView->glRect.IsEmpty());
    EXPECT_TRUE(fContext->Frame().IsEmpty());
    EXPECT_EQ(fOwner.updates, 1);
    fView->SetState(kEventShow);
    EXPECT_EQ(fView->glRect, (CLRect{10, 5, 60, 45}));
    EXPECT_EQ(fOwner.updates, 2);
}

TEST_F(COpenGLViewTest, NewContextStartsFromAnEmptySurface)
{
    fView->SetState(kEventHostShow);
    fView->SetContext(nullptr);
    EXPECT_EQ(fView->context, nullptr);
    fView->SetRect(CLRect{0, 0, 20, 20}); // no context: nothing to place
    EXPECT_EQ(fContext->Frame(), (CLRect{10, 5, 60, 45}));

    CGLContext other(fWindow.Get(), nullptr);
    fOwner.updates = 0;
    fView->SetContext(&other);
    EXPECT_EQ(other.Frame(), (CLRect{10, 5, 30, 25}));
    EXPECT_EQ(fOwner.updates, 1);
    fView->SetContext(nullptr);
}
