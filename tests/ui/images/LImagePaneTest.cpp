#include "tests/ui/panes/PaneTestKit.h"
#include "ui/images/LImagePane.h"
#include "ui/draw/LPortState.h"
#include "ui/LImageRef.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

// An image of a fixed size that records where it was drawn, how often its shape was rebuilt
// and its destruction; rectangular, or shaped as its whole rectangle or its left half.
class SizedImage : public LImage {
public:
    enum Shape { kRectangular, kWhole, kLeftHalf };
    SizedImage(int32_t w, int32_t h, Shape shape = kRectangular, bool valid = true, int* destroyed = nullptr)
        : fW(w), fH(h), fShapeKind(shape), fValid(valid), fDestroyed(destroyed)
    {
    }
    ~SizedImage() override
    {
        if (fDestroyed)
            ++*fDestroyed;
    }
    void ResetShape() override
    {
        fCachedRect = {0, 0, fW, fH};
        fShape.SetRect(fShapeKind == kLeftHalf ? CLRect{0, 0, fW / 2, fH} : fCachedRect);
        ++resets;
    }
    bool IsValid() const override { return fValid; }
    bool IsRectangular() const override { return fShapeKind == kRectangular; }
    uint64_t GetSize() const override { return uint64_t(uint32_t(fW)) | (uint64_t(uint32_t(fH)) << 32); }
    int32_t GetNative(const void** native) const override
    {
        *native = nullptr;
        return 0;
    }
    void Draw(LPortState&, const CLRect& rect) const override { drawnAt = rect; }

    mutable CLRect drawnAt;
    int resets = 0;

private:
    int32_t fW, fH;
    Shape fShapeKind;
    bool fValid;
    int* fDestroyed;
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
    pane.SetImage(LImageRef(new SizedImage(100, 50, SizedImage::kLeftHalf)));
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

TEST(LImageRef, NullOrInvalidImagesBecomeTheSharedNullImage)
{
    EXPECT_TRUE(LImageRef().IsNull() && LImageRef(nullptr).IsNull());

    int destroyed = 0;
    {
        LImageRef invalid(new SizedImage(4, 4, SizedImage::kWhole, false, &destroyed));
        EXPECT_TRUE(invalid.IsNull());
        EXPECT_EQ(destroyed, 1); // nothing else held it
    }
    LImageRef valid(new SizedImage(4, 4, SizedImage::kWhole, true, &destroyed));
    EXPECT_FALSE(valid.IsNull());
    valid = LImageRef();
    EXPECT_EQ(destroyed, 2);

    // The null image answers zero everywhere and survives any number of releases.
    LNullImage* null = LNullImage::Instance();
    const void* native = &native;
    EXPECT_EQ((std::tuple{null->GetNative(&native), native, null->GetSize(), null->IsValid()}),
              std::tuple(0, static_cast<const void*>(nullptr), uint64_t(0), false));
    for (int i = 0; i < 3; ++i)
        LImageRef copy(null);
    EXPECT_GE(null->RefCount(), 1);
}

TEST(LImage, ShapeIsScaledOnResizeAndMovedOnOffset)
{
    LTypedRef<SizedImage> image(new SizedImage(100, 50, SizedImage::kWhole));
    const LRegion big = image->GetShapeRegionAt(CLRect{0, 0, 200, 100});
    EXPECT_TRUE(big.IsRect());
    EXPECT_EQ(std::pair(big.GetBounds(), image->resets), std::pair(CLRect{0, 0, 200, 100}, 1));

    // Same size elsewhere: moved, not rebuilt.
    const LRegion moved = image->GetShapeRegionAt(CLRect{10, 20, 210, 120});
    EXPECT_EQ(std::pair(moved.GetBounds(), image->resets), std::pair(CLRect{10, 20, 210, 120}, 1));

    // A rectangular image has no shape of its own: callers use the rectangle.
    EXPECT_TRUE(LNullImage::Instance()->GetShapeRegion(CLRect{0, 0, 5, 5}).IsEmpty());
    EXPECT_EQ(image->GetShapeRegion(CLRect{0, 0, 100, 50}).GetBounds(), (CLRect{0, 0, 100, 50}));
    EXPECT_EQ(image->resets, 2);
}

} // namespace
