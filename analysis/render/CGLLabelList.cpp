#include "analysis/render/CGLLabelList.h"
#include "analysis/gl/SharedGLContext.h"
#include "analysis/render/CGLTexture.h"
#include "analysis/render/GLDraw.h"
#include "controls/text/CTextDrawer.h"
#include "platform/draw/Canvas.h"
#include "platform/gl/GLApi.h"
#include "shell/draw/LFont.h"
#include "shell/draw/LFontData.h"
#include "shell/gl/CGLContextLock.h"
#include "ui/draw/LBitmapContext.h"
#include "ui/draw/LBrush.h"

#include <algorithm>

namespace {

// Texture corners of a label quad drawn as a strip: top left, bottom left, top right, bottom
// right. The bitmap's top row is the texture's first row (t = 0).
constexpr GLfloat kCorners[8] = {0, 0, 0, 1, 1, 0, 1, 1};

// The model depth of a label: its slice's distance behind the newest one.
float LabelDepth(uint32_t id, const CGLLabelPlacement& placement)
{
    float z = float(id) - float(placement.slice);
    if (id > placement.slice)
        z -= float(placement.depth);
    return z;
}

} // namespace

CGLLabelList::~CGLLabelList()
{
    Clear();
}

void CGLLabelList::Free(Label& label)
{
    if (label.texture)
        label.texture->Release();
    label.texture = nullptr;
}

void CGLLabelList::Clear()
{
    for (auto& label : labels)
        Free(*label);
    labels.clear();
}

void CGLLabelList::SetLabel(uint32_t id, const LStringRef& text)
{
    // Every label of this id goes, so that one slice never shows two labels; a label of the
    // same text stays to be reused below.
    std::erase_if(labels, [&](std::unique_ptr<Label>& label) {
        if (label->id != id || (!text.IsEmpty() && label->text == text))
            return false;
        Free(*label);
        return true;
    });
    if (text.IsEmpty())
        return;
    const auto same = std::find_if(labels.begin(), labels.end(),
                                   [&](const auto& label) { return label->text == text; });
    if (same != labels.end()) {
        std::unique_ptr<Label> moved = std::move(*same);
        labels.erase(same);
        moved->id = id;
        labels.push_back(std::move(moved));
        return;
    }
    auto label = std::make_unique<Label>();
    if (!RenderText(text, label->width, label->height, label->texture))
        return;
    label->id = id;
    label->text = text;
    labels.push_back(std::move(label));
}

bool CGLLabelList::RenderText(const LStringRef& text, uint32_t& width, uint32_t& height, CGLTexture*& texture)
{
    if (!bitmap.IsValid())
        bitmap.Create(1, 1, 32, false, LOffscreen::kPremultipliedAlpha);
    if (!bitmap.IsValid())
        return false;
    CTextDrawer drawer;
    drawer.SetText(text);
    drawer.SetFont(LFont(LFontData::kSmallSystemFont));
    drawer.SetColor(LBrush::Make(3));
    int32_t w = 0, h = 0;
    {
        LBitmapContext port(bitmap);
        w = drawer.GetTextWidth(port);
        h = drawer.GetLinesHeight(port);
    }
    if (w <= 0 || h <= 0)
        return false;
    if (bitmap.Width() < uint32_t(w) || bitmap.Height() < uint32_t(h)) {
        bitmap = LOffscreen();
        bitmap.Create(uint32_t(w), uint32_t(h), 32, false, LOffscreen::kPremultipliedAlpha);
        if (!bitmap.IsValid())
            return false;
    }
    {
        LBitmapContext port(bitmap);
        if (plat::Canvas* canvas = port.Context()) {
            canvas->SetFillColor(plat::Color{0.0, 0.0, 0.0, 1.0});
            canvas->FillRect(plat::Rect{0.0, 0.0, double(w), double(h)});
        }
        drawer.SetMode(CTextDrawer::kModeClipped);
        drawer.SetRect(CLRect{0, 0, w, h});
        drawer.Draw(port);
    }
    CGLTexture* made = CGLTexture::Create(GL_TEXTURE_2D, nullptr);
    if (!made)
        return false;
    {
        CGLContextLock lock(SharedGLContext());
        glPushClientAttrib(GL_CLIENT_ALL_ATTRIB_BITS);
        glBindTexture(GL_TEXTURE_2D, made->texture);
        glPixelStorei(GL_UNPACK_ROW_LENGTH, GLint(bitmap.RowBytes() / 4));
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, w, h, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, bitmap.PixelBuffer());
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
        glBindTexture(GL_TEXTURE_2D, 0);
        glFlush();
        glPopClientAttrib();
    }
    width = uint32_t(w);
    height = uint32_t(h);
    texture = made;
    return true;
}

void CGLLabelList::Draw(const CGLLabelPlacement& placement) const
{
    if (labels.empty())
        return;
    DrawQuads(placement);
    DrawShades(placement);
}

void CGLLabelList::DrawQuads(const CGLLabelPlacement& placement) const
{
    GLint width = 0, height = 0;
    if (!ViewportSize(width, height))
        return;
    const float zoom = placement.fqzm > 0.0f ? placement.fqzm : 1.0f;
    // One pixel in the trail's model units: x 0 .. 1 spans the view zoom times, y 0 .. 1 once.
    const float pixelX = 1.0f / (float(width) * zoom);
    const float pixelY = 1.0f / float(height);
    const float left = placement.fqps + 0.5f / zoom;
    const float top = 0.5f;

    glPushAttrib(GL_TEXTURE_BIT | GL_DEPTH_BUFFER_BIT | GL_ENABLE_BIT | GL_CURRENT_BIT);
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, 0, kCorners);
    for (const auto& label : labels) {
        const float z = LabelDepth(label->id, placement);
        const float right = left + float(label->width) * pixelX;
        const float bottom = top - float(label->height) * pixelY;
        const GLfloat quad[12] = {left, top, z, left, bottom, z, right, top, z, right, bottom, z};
        glBindTexture(GL_TEXTURE_2D, label->texture->texture);
        glVertexPointer(3, GL_FLOAT, 0, quad);
        glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    glPopClientAttrib();
    glPopAttrib();
}

void CGLLabelList::DrawShades(const CGLLabelPlacement& placement) const
{
    glPushAttrib(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_ENABLE_BIT | GL_CURRENT_BIT);
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_DEPTH_TEST);
    glDepthMask(GL_FALSE);
    glColor4f(0.0f, 0.0f, 0.0f, placement.opacity);
    glEnableClientState(GL_VERTEX_ARRAY);
    for (const auto& label : labels) {
        const float z = LabelDepth(label->id, placement);
        const GLfloat quad[12] = {0, 0.5f, z, 0, 0, z, 1, 0.5f, z, 1, 0, z};
        glVertexPointer(3, GL_FLOAT, 0, quad);
        glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    }
    glPopClientAttrib();
    glPopAttrib();
}
