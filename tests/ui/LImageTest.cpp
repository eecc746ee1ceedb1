#include "ui/LImageRef.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

// An image of a given size whose shape is its whole rectangle; counts its destruction.
class BoxImage : public LImage {
public:
    BoxImage(int32_t w, int32_t h, bool valid, int* destroyed) : fW(w), fH(h), fValid(valid), fDestroyed(destroyed) {}
    ~BoxImage() override { ++*fDestroyed; }
    void ResetShape() override
    {
        fCachedRect = CLRect{0, 0, fW, fH};
        fShape = LRegion(fCachedRect);
        ++resets;
    }
    bool IsValid() const override { return fValid; }
    bool IsRectangular() const override { return false; }
    uint64_t GetSize() const override { return uint64_t(uint32_t(fH)) << 32 | uint32_t(fW); }
    int32_t GetNative(const void** native) const override { *native = this; return 1; }
    void Draw(LPortState&, const CLRect&) const override {}
    int resets = 0;

private:
    int32_t fW, fH;
    bool fValid;
    int* fDestroyed;
};

} // namespace

TEST(LImageRef, NullOrInvalidImagesBecomeTheSharedNullImage)
{
    EXPECT_TRUE(LImageRef().IsNull() && LImageRef(nullptr).IsNull());

    int destroyed = 0;
    {
        LImageRef invalid(new BoxImage(4, 4, false, &destroyed));
        EXPECT_TRUE(invalid.IsNull());
        EXPECT_EQ(destroyed, 1); // nothing else held it
    }
    LImageRef valid(new BoxImage(4, 4, true, &destroyed));
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
    int destroyed = 0;
    LTypedRef<BoxImage> image(new BoxImage(100, 50, true, &destroyed));
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
