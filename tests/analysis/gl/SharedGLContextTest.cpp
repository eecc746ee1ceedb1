#include "analysis/gl/SharedGLContext.h"
#include "shell/gl/CGLContext.h"

#include <gtest/gtest.h>

TEST(SharedGLContext, IsMadeOncePublishedAndLendsItsMutex)
{
    CGLContext* shared = SharedGLContext();
    ASSERT_NE(shared, nullptr);
    ASSERT_TRUE(shared->HasContext()) << shared->Error();
    EXPECT_EQ(SharedGLContext(), shared);
    EXPECT_EQ(CGLContext::Shared(), shared);
    EXPECT_FALSE(shared->BorrowsMutex());

    CGLContext* slot = nullptr;
    EXPECT_EQ(GetSharedGLContext(slot), shared);
    EXPECT_EQ(slot, shared);

    CGLContext later(nullptr, nullptr);
    EXPECT_TRUE(later.BorrowsMutex());
    EXPECT_EQ(&later.Mutex(), &shared->Mutex());
}
