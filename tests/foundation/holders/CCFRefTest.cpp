#include "foundation/holders/CCFRef.h"
#include "foundation/holders/CIOInterfaceRef.h"
#include "foundation/holders/SRGBColorSpace.h"
#include "tests/support/SharedProbe.h"

#include <gtest/gtest.h>

TEST(CCFRef, AssignRetainsBeforeReleasingHoldersReleaseOnDestructionAndSRGBIsShared)
{
    int gone = 0;
    auto* probe = new SharedProbe(&gone);
    {
        CCFRef a;
        a.Adopt(probe);
        a.Assign(a); // the holder's own object must survive
        EXPECT_EQ(std::pair(gone, probe->RetainCount()), std::pair(0, 1));
        CCFRef b;
        b.Assign(a);
        EXPECT_EQ(probe->RetainCount(), 2);
        a.Reset();
        EXPECT_EQ(gone, 0);
        CCFRef c(b);
        EXPECT_EQ(probe->RetainCount(), 2);
        probe->Retain();
        c.AssignRetain(probe); // the get rule: the holder adds its own retain
        EXPECT_EQ(probe->RetainCount(), 3);
        probe->Release();
    }
    EXPECT_EQ(gone, 1);

    gone = 0;
    CCFRef owner;
    owner.Adopt(new SharedProbe(&gone));
    {
        CIOInterfaceRef iface;
        iface.Assign(owner);
        owner.Reset();
        EXPECT_EQ(gone, 0);
    }
    EXPECT_EQ(gone, 1);

    const plat::ColorSpace* a = GetSRGBColorSpace();
    ASSERT_NE(a, nullptr);
    const int32_t count = a->RetainCount();
    const plat::ColorSpace* b = GetSRGBColorSpace();
    EXPECT_EQ(a, b);
    EXPECT_EQ(std::pair(b->kind(), b->RetainCount()), std::pair(plat::ColorSpace::Kind::SRGB, count + 1));
    a->Release();
    b->Release();
}
