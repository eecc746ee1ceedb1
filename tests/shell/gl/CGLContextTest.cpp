#include "shell/gl/CGLContext.h"
#include "foundation/geometry/LRegion.h"
#include "platform/gl/GLApi.h"
#include "platform/gl/GLContext.h"
#include "shell/gl/CGLContextLock.h"
#include "tests/shell/gl/SharedGLFixture.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <future>
#include <thread>
#include <vector>

namespace {

using CGLContextTest = SharedGLFixture;

std::array<GLint, 4> Viewport()
{
    std::array<GLint, 4> box{};
    glGetIntegerv(GL_VIEWPORT, box.data());
    return box;
}

} // namespace

TEST_F(CGLContextTest, FirstContextOwnsTheMutexAndLaterOnesBorrowItUntilDeleted)
{
    EXPECT_FALSE(fShared->BorrowsMutex());
    CGLContext second(nullptr, nullptr);
    ASSERT_TRUE(second.HasContext());
    EXPECT_TRUE(second.BorrowsMutex());
    EXPECT_EQ(&second.Mutex(), &fShared->Mutex());
    auto borrower = std::make_unique<CGLContext>(nullptr, nullptr);
    plat::RecursiveMutex& mutex = borrower->Mutex();
    borrower.reset(); // deleting a borrower leaves the mutex for the others
    ASSERT_TRUE(mutex.TryLock()); // still a live, free mutex
    mutex.Unlock();
    CGLContextLock lock(fShared.get());
    EXPECT_EQ(plat::GLContext::Current(), fShared->Native());
}

TEST_F(CGLContextTest, ObjectsMadeUnderTheSharedContextAreSeenByLaterContexts)
{
    GLuint buffer = 0;
    {
        CGLContextLock lock(fShared.get());
        glGenBuffers(1, &buffer);
        glBindBuffer(GL_ARRAY_BUFFER, buffer);
        const float data[2] = {1.5f, -2.0f};
        glBufferData(GL_ARRAY_BUFFER, sizeof data, data, GL_STATIC_DRAW);
        glFinish();
    }
    CGLContext display(nullptr, nullptr);
    CGLContextLock lock(&display);
    EXPECT_TRUE(glIsBuffer(buffer));
    float back[2] = {};
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glGetBufferSubData(GL_ARRAY_BUFFER, 0, sizeof back, back);
    EXPECT_EQ(back[0], 1.5f);
    EXPECT_EQ(back[1], -2.0f);
}

TEST_F(CGLContextTest, NestedScopesRestoreThePreviousAndTheCurrentOneNeitherLocksNorSwitches)
{
    CGLContext display(nullptr, nullptr);
    EXPECT_EQ(plat::GLContext::Current(), nullptr);
    {
        CGLContextLock outer(&display);
        {
            CGLContextLock inner(fShared.get());
            EXPECT_TRUE(inner.Switched());
            CGLContextLock same(fShared.get());
            EXPECT_FALSE(same.Switched());
            EXPECT_EQ(plat::GLContext::Current(), fShared->Native());
        }
        EXPECT_EQ(plat::GLContext::Current(), display.Native());
    }
    EXPECT_EQ(plat::GLContext::Current(), nullptr);
}

TEST_F(CGLContextTest, TwoThreadsWorkingThroughTheLockDoNotInterleave)
{
    // Both threads use the one shared context: bind a texture, pause, upload, read back.
    // A switch in the middle would bind the other thread's texture or refuse the context.
    constexpr int kRounds = 40;
    GLuint textures[2] = {};
    {
        CGLContextLock lock(fShared.get());
        glGenTextures(2, textures);
    }
    auto work = [&](int index) {
        int good = 0;
        const uint32_t base = index == 0 ? 0x11000000u : 0x22000000u;
        for (int round = 0; round < kRounds; ++round) {
            CGLContextLock lock(fShared.get());
            glBindTexture(GL_TEXTURE_2D, textures[index]);
            std::this_thread::yield();
            std::vector<uint32_t> texels(64, base + uint32_t(round));
            glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 8, 8, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
            std::this_thread::sleep_for(std::chrono::microseconds(200));
            GLint bound = 0;
            glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
            std::vector<uint32_t> back(64, 0);
            glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, back.data());
            if (GLuint(bound) == textures[index] && back == texels)
                ++good;
        }
        return good;
    };
    auto first = std::async(std::launch::async, work, 0);
    auto second = std::async(std::launch::async, work, 1);
    ASSERT_EQ(first.wait_for(std::chrono::seconds(60)), std::future_status::ready);
    ASSERT_EQ(second.wait_for(std::chrono::seconds(60)), std::future_status::ready);
    EXPECT_EQ(first.get(), kRounds);
    EXPECT_EQ(second.get(), kRounds);
}

TEST_F(CGLContextTest, UnmakeablePixelFormatGivesNoContextAndIgnoresFrames)
{
    const CGLOptions impossible{200, 0, 0};
    CGLContext context(nullptr, &impossible);
    EXPECT_FALSE(context.HasContext());
    EXPECT_NE(context.Error(), "");
    context.SetFrame(CLRect{0, 0, 10, 10}, LRegion(CLRect{0, 0, 10, 10}));
    EXPECT_TRUE(context.Frame().IsEmpty());
    CGLContextLock lock(&context);
    EXPECT_EQ(plat::GLContext::Current(), nullptr) << "no GL work may reach another context";
}

TEST_F(CGLContextTest, FrameWithoutHostSetsTheViewportAndEmptyFramesDoNothing)
{
    EXPECT_FALSE(fShared->IsFrameEmpty()) << "a context without host has no frame to be empty";
    const CLRect area{5, 7, 45, 37};
    fShared->SetFrame(area, LRegion(area));
    EXPECT_EQ(fShared->Frame(), area);
    {
        CGLContextLock lock(fShared.get());
        EXPECT_EQ(Viewport(), (std::array<GLint, 4>{0, 0, 40, 30}));
        glViewport(0, 0, 3, 3);
    }
    fShared->SetFrame(CLRect{}, LRegion());
    fShared->SetFrame(CLRect{}, LRegion()); // both empty: no GL work
    CGLContextLock lock(fShared.get());
    EXPECT_EQ(Viewport(), (std::array<GLint, 4>{0, 0, 0, 0}));
}

TEST_F(CGLContextTest, PassScopesLeaveEachAreaCurrentAndPutBackTheStartWhenTheyEnd)
{
    std::vector<std::unique_ptr<CGLContext>> areas;
    for (int i = 0; i < 3; ++i)
        areas.push_back(std::make_unique<CGLContext>(nullptr, nullptr));
    struct Case {
        const char* name;
        bool enclosed;             // the pass runs inside a scope of the shared context
        std::vector<int> order;    // the areas drawn, in turn (an area twice in a row: no switch)
    };
    const Case cases[] = {
        {"no context before", false, {0, 1, 2}},
        {"inside another scope", true, {2, 0, 1}},
        {"one area twice in a row", false, {1, 1, 0}},
        {"no areas", true, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto outer = c.enclosed ? std::make_unique<CGLContextLock>(fShared.get()) : nullptr;
        plat::GLContext* const before = plat::GLContext::Current();
        {
            CGLPassScope pass;
            plat::GLContext* last = before;
            for (const int a : c.order) {
                {
                    CGLContextLock lock(areas[size_t(a)].get());
                    EXPECT_EQ(lock.Switched(), areas[size_t(a)]->Native() != last);
                    {
                        CGLContextLock inner(fShared.get()); // nested scopes restore as ever
                        EXPECT_EQ(plat::GLContext::Current(), fShared->Native());
                    }
                    EXPECT_EQ(plat::GLContext::Current(), areas[size_t(a)]->Native());
                }
                last = areas[size_t(a)]->Native();
                EXPECT_EQ(plat::GLContext::Current(), last) << "the area stays current until the next";
            }
        }
        EXPECT_EQ(plat::GLContext::Current(), before);
    }
}

TEST_F(CGLContextTest, PassScopesHoldTheMutexUntilTheyEndAndNestedPassesAddNothing)
{
    CGLContext area(nullptr, nullptr);
    auto otherThreadLocks = [&] {
        return std::async(std::launch::async, [&] {
            const bool locked = area.Mutex().TryLock();
            if (locked)
                area.Mutex().Unlock();
            return locked;
        }).get();
    };
    {
        CGLPassScope pass;
        {
            CGLPassScope nested;
            {
                CGLContextLock lock(&area);
            }
        } // the nested pass ends: nothing is put back yet
        EXPECT_EQ(plat::GLContext::Current(), area.Native());
        EXPECT_FALSE(otherThreadLocks()) << "the area is current: no other thread may draw";
        {
            CGLContextLock again(&area);
            EXPECT_FALSE(again.Switched());
        }
    }
    EXPECT_EQ(plat::GLContext::Current(), nullptr);
    EXPECT_TRUE(otherThreadLocks());
}
