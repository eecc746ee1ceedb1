// Label textures made with real fonts and real OpenGL, and the deferred release of textures.
#include "analysis/gl/SharedGLContext.h"
#include "analysis/render/CGLLabelList.h"
#include "analysis/render/CGLTexture.h"
#include "platform/draw/Font.h"
#include "platform/draw/TextLayout.h"
#include "platform/gl/GLApi.h"
#include "shell/gl/CGLContext.h"
#include "shell/gl/CGLContextLock.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

class CGLLabelListTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SharedGLContext()->HasContext()) << SharedGLContext()->Error(); }

    // The texture's size as OpenGL holds it.
    static void TextureSize(const CGLTexture* texture, GLint& width, GLint& height)
    {
        CGLContextLock lock(SharedGLContext());
        glBindTexture(GL_TEXTURE_2D, texture->texture);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
        glBindTexture(GL_TEXTURE_2D, 0);
    }

    static bool IsTexture(uint32_t name)
    {
        CGLContextLock lock(SharedGLContext());
        return glIsTexture(name) == GL_TRUE;
    }

    CGLLabelList list;
};

} // namespace

TEST_F(CGLLabelListTest, LabelSizeComesFromTheFontsMetrics)
{
    list.SetLabel(3, LStringRef("Chorus"));
    ASSERT_EQ(list.Count(), 1u);
    const CGLLabelList::Label& label = list.At(0);
    plat::Font* font = plat::Font::Open("DejaVu Sans", 11.0, false, false, nullptr);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(label.width, uint32_t(std::ceil(plat::TextLayout(*font, "Chorus").Width())));
    EXPECT_EQ(label.height, uint32_t(std::ceil(font->LineHeight())));
    font->Release();
    EXPECT_GT(label.width, 20u);
    GLint w = 0, h = 0;
    TextureSize(label.texture, w, h);
    EXPECT_EQ(uint32_t(w), label.width);
    EXPECT_EQ(uint32_t(h), label.height);

    list.SetLabel(4, LStringRef("two\nlines"));
    ASSERT_EQ(list.Count(), 2u);
    EXPECT_EQ(list.At(1).height, 2 * label.height);
}

TEST_F(CGLLabelListTest, SameTextUnderANewIdMovesTheTexture)
{
    list.SetLabel(0, LStringRef("a"));
    list.SetLabel(1, LStringRef("b"));
    const CGLTexture* texture = list.At(0).texture;
    list.SetLabel(2, LStringRef("a"));
    ASSERT_EQ(list.Count(), 2u);
    EXPECT_EQ(list.At(1).id, 2u);
    EXPECT_EQ(list.At(1).texture, texture) << "reused, not rendered again";
    EXPECT_EQ(list.At(0).text.View(), "b");
}

TEST_F(CGLLabelListTest, EmptyTextDropsTheLabelOfThatId)
{
    list.SetLabel(0, LStringRef("x"));
    list.SetLabel(1, LStringRef("y"));
    const uint32_t name = list.At(0).texture->texture;
    list.SetLabel(2, LStringRef());
    EXPECT_EQ(list.Count(), 2u);
    list.SetLabel(0, LStringRef());
    ASSERT_EQ(list.Count(), 1u);
    EXPECT_EQ(list.At(0).text.View(), "y");
    EXPECT_FALSE(IsTexture(name)) << "the dropped label's texture is deleted";
}

TEST_F(CGLLabelListTest, ANewTextReplacesEveryLabelOfItsId)
{
    // Depth 3: labels [id2 "a", id1 "c", id0 "x"]; slice 1 comes back with "y".
    list.SetLabel(2, LStringRef("a"));
    list.SetLabel(1, LStringRef("c"));
    list.SetLabel(0, LStringRef("x"));
    list.SetLabel(1, LStringRef("y"));
    ASSERT_EQ(list.Count(), 3u);
    int ofId1 = 0;
    for (uint32_t i = 0; i < list.Count(); ++i)
        ofId1 += list.At(i).id == 1 ? 1 : 0;
    EXPECT_EQ(ofId1, 1) << "one label per depth";
    EXPECT_EQ(list.At(2).text.View(), "y");
    const CGLTexture* kept = list.At(2).texture;
    list.SetLabel(1, LStringRef("y"));
    ASSERT_EQ(list.Count(), 3u);
    EXPECT_EQ(list.At(2).texture, kept) << "the same text under the same id is kept";
}

TEST_F(CGLLabelListTest, OwnedTexturesWaitForTheirOwner)
{
    CGLTextureList owner;
    CGLTexture* a = CGLTexture::Create(GL_TEXTURE_2D, &owner);
    CGLTexture* b = CGLTexture::Create(GL_TEXTURE_2D, &owner);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    const uint32_t nameB = b->texture;
    b->Retain();
    b->Release();
    EXPECT_EQ(owner.pending, 0u) << "still referenced";
    b->Release();
    ASSERT_EQ(owner.pending, 1u);
    EXPECT_EQ(owner.textures[0], b) << "moved to the front of the list";
    EXPECT_TRUE(IsTexture(nameB));
    {
        CGLContextLock lock(SharedGLContext());
        DeletePendingTextures(owner);
    }
    EXPECT_FALSE(IsTexture(nameB));
    ASSERT_EQ(owner.textures.size(), 1u);
    EXPECT_EQ(owner.textures[0], a);
    a->Release();
    DeletePendingTextures(owner);
    EXPECT_TRUE(owner.textures.empty());
}

TEST_F(CGLLabelListTest, DrawsWithNoLabelsAndSurvivesClear)
{
    list.Draw(CGLLabelPlacement{});
    list.SetLabel(5, LStringRef("z"));
    list.Clear();
    EXPECT_EQ(list.Count(), 0u);
}
