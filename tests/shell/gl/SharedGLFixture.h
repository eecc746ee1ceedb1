#pragma once
#include "platform/gl/GLContext.h"
#include "shell/gl/CGLContext.h"

#include <gtest/gtest.h>

#include <memory>

// Each test publishes a shared context of its own and clears the link afterwards.
class SharedGLFixture : public testing::Test {
protected:
    void SetUp() override
    {
        fShared = std::make_unique<CGLContext>(nullptr, nullptr);
        ASSERT_TRUE(fShared->HasContext()) << fShared->Error();
        CGLContext::SetShared(fShared.get());
    }
    void TearDown() override
    {
        CGLContext::SetShared(nullptr);
        plat::GLContext::ClearCurrent();
    }

    std::unique_ptr<CGLContext> fShared;
};
