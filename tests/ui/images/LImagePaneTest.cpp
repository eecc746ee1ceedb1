#include "tests/ui/panes/PaneTestKit.h"
#include "ui/images/LImagePane.h"

#include "ui/draw/LPortState.h"

#include <gtest/gtest.h>

namespace {

// An image of a fixed size that records where it was drawn; optionally shaped as its left half.
class SizedImage : public LImage {
public:
    SizedImage(int32_t w, int32_t h, bool leftHalf = false) : fW(w), fH(h), fLeftHalf(leftHalf) {}
    void ResetShape() override
    {
        fCachedRect = {0, 0, fW, fH};
        fShape.SetRect(fLeftHalf ? CLRect{0, 0, fW / 2, fH} : fCachedRect);
    }
    bool IsValid() const override { return true; }
    bool IsRectangular() const override { return !fLeftHalf; }
    uint64_t GetSize() const override { return uint64_t(uint32_t(fW)) | (uint64_t(uint32_t(fH)) << 32); }
    int32_t GetNative(const void** native) const override
    {
        *native = nullptr;
        return 0;
    }
    void Draw(LPortState&, const CLRect& rect) const override { drawnAt = rect; }

    mutable CLRect drawnAt;

private:
    int32_t fW, fH;
    bool fLeftHalf;
};

struct ImagePaneInHost : ::testing::Test {
    ConsumingRecorder top;
    RecordingPane host{&top, nullptr};
    LImagePane pane{&host};

    void SetUp() override
    {
        pane.SetState(kEventHostShow);
        pane.SetRect({0, 0, 200, 200});
        host.updates.clear();
        host.erases.clear();
    }
};

TEST_F(ImagePaneInHost, ModesPlaceAndDrawTheImageAndClicksPassThrough)
{
    EXPECT_TRUE(pane.Flags() & kPaneTransparent);
    EXPECT_EQ(pane.HitTest({10, 10}), nullptr);
    EXPECT_TRUE(pane.Image().IsNull()) << "the null image stands in";
    EXPECT_EQ(pane.PrefWidth(nullptr, 0), 0);
    auto* image = new SizedImage(100, 50);
    pane.SetImage(LImageRef(image));
    EXPECT_EQ(pane.ImageRect(), (CLRect{0, 0, 200, 200}));
    pane.SetMode(LImagePane::kCenter);
    EXPECT_EQ(pane.ImageRect(), (CLRect{50, 75, 150, 125}));
    pane.SetMode(LImagePane::kFit);
    EXPECT_EQ(pane.ImageRect(), (CLRect{0, 50, 200, 150}));
    EXPECT_EQ(std::pair(pane.PrefWidth(nullptr, -1), pane.PrefHeight(nullptr, 0)), std::pair(100, 50));
    LPortState port;
    pane.DrawSelf(port);
    EXPECT_EQ(image->drawnAt, (CLRect{0, 50, 200, 150}));
}

TEST_F(ImagePaneInHost, ReplacingInvalidatesOldAndNewPlace)
{
    pane.SetMode(LImagePane::kCenter);
    pane.SetImage(LImageRef(new SizedImage(100, 50)));
    ASSERT_EQ(host.updates.size(), 1u);
    EXPECT_EQ(host.updates[0].GetBounds(), (CLRect{50, 75, 150, 125}));

    pane.SetImage(LImageRef(new SizedImage(20, 20)));
    ASSERT_EQ(host.updates.size(), 2u);
    EXPECT_TRUE(host.erases[1].Equals(LRegion(CLRect{50, 75, 150, 125})));
    EXPECT_EQ(host.updates[1].GetBounds(), (CLRect{50, 75, 150, 125}));

    // A shaped image keeps its own shape out of the erased area.
    pane.SetImage(LImageRef(new SizedImage(100, 50, true)));
    LRegion expectedErase(CLRect{90, 90, 110, 110});
    expectedErase.Xor(LRegion(CLRect{50, 75, 100, 125}));
    EXPECT_TRUE(host.erases[2].Equals(expectedErase));
}

TEST_F(ImagePaneInHost, SameImageOrHiddenPaneInvalidatesNothing)
{
    LImageRef image(new SizedImage(10, 10));
    pane.SetImage(image);
    host.updates.clear();
    pane.SetImage(image);
    EXPECT_TRUE(host.updates.empty());
    pane.SetState(kEventHostHide);
    host.updates.clear();
    LImageRef other(new SizedImage(20, 20));
    pane.SetImage(other);
    EXPECT_TRUE(host.updates.empty());
    EXPECT_EQ(pane.Image(), other);
}

} // namespace
