#pragma once
// A drawing area with real OpenGL, a document, window and preference records, and an
// analyser of one or more channels, for the renderer tests.
#include "analysis/CSpectrumAnalyser.h"
#include "analysis/gl/SharedGLContext.h"
#include "analysis/records/CAppPrefs.h"
#include "analysis/records/CFaderSetRecord.h"
#include "analysis/records/SnxFields.h"
#include "analysis/render/RenderInput.h"
#include "foundation/geometry/LRegion.h"
#include "foundation/records/LObject.h"
#include "platform/gl/GLApi.h"
#include "platform/gl/GLContext.h"
#include "platform/window/Window.h"
#include "platform/window/WindowStyle.h"
#include "shell/gl/CGLContext.h"
#include "shell/gl/CGLContextLock.h"
#include "shell/gl/CGLOptions.h"
#include "tests/support/ProgramResourceFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <ostream>
#include <vector>

// An area of width x height pixels in a window of its own, with or without a depth buffer.
class GLArea {
public:
    GLArea(int32_t width, int32_t height, uint8_t depthBits = 0) : fWidth(width), fHeight(height)
    {
        fWindow = plat::Window::Make(plat::Rect{0, 0, double(width) + 20, double(height) + 20}, plat::kStyleTitled);
        CGLOptions options;
        options.depth = depthBits;
        context = std::make_unique<CGLContext>(fWindow.Get(), &options);
        const CLRect frame{0, 0, width, height};
        context->SetFrame(frame, LRegion(frame));
    }
    // Clears the area to the colour (0xRRGGBB) and, when it has one, the depth buffer.
    void Clear(uint32_t rgb = 0x000000)
    {
        CGLContextLock lock(context.get());
        glClearColor(((rgb >> 16) & 0xff) / 255.0f, ((rgb >> 8) & 0xff) / 255.0f, (rgb & 0xff) / 255.0f, 1.0f);
        glClearDepth(1.0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    // The pixels, top row first, as 0xRRGGBB.
    std::vector<uint32_t> Read()
    {
        std::vector<uint32_t> pixels(size_t(fWidth) * fHeight, 0);
        CGLContextLock lock(context.get());
        glFinish();
        EXPECT_TRUE(context->Native()->ReadPixels(pixels.data(), size_t(fWidth) * 4));
        for (uint32_t& p : pixels)
            p &= 0xFFFFFF;
        return pixels;
    }
    // Pixel at column x, row y counted from the bottom (as OpenGL counts).
    static uint32_t At(const std::vector<uint32_t>& pixels, int32_t width, int32_t height, int32_t x, int32_t y)
    {
        return pixels[size_t(height - 1 - y) * width + x];
    }
    // Rows (from the bottom) of column x that are not black.
    static std::vector<int> LitRows(const std::vector<uint32_t>& pixels, int32_t width, int32_t height, int32_t x)
    {
        std::vector<int> rows;
        for (int y = 0; y < height; ++y)
            if (At(pixels, width, height, x, y) != 0)
                rows.push_back(y);
        return rows;
    }
    static bool AllBlack(const std::vector<uint32_t>& pixels)
    {
        return std::all_of(pixels.begin(), pixels.end(), [](uint32_t p) { return p == 0; });
    }

    std::unique_ptr<CGLContext> context;

private:
    int32_t fWidth;
    int32_t fHeight;
    plat::Ref<plat::Window> fWindow;
};

// The GL state the renderers change while they draw and give back when they are done.
struct DrawState {
    GLboolean blend = GL_FALSE;
    GLboolean depthTest = GL_FALSE;
    GLboolean depthMask = GL_TRUE;
    GLint shadeModel = GL_SMOOTH;
    bool operator==(const DrawState&) const = default;

    // The current context's state.
    static DrawState Current()
    {
        DrawState state;
        state.blend = glIsEnabled(GL_BLEND);
        state.depthTest = glIsEnabled(GL_DEPTH_TEST);
        glGetBooleanv(GL_DEPTH_WRITEMASK, &state.depthMask);
        glGetIntegerv(GL_SHADE_MODEL, &state.shadeModel);
        return state;
    }
    // Makes it the current context's state.
    void Apply() const
    {
        blend ? glEnable(GL_BLEND) : glDisable(GL_BLEND);
        depthTest ? glEnable(GL_DEPTH_TEST) : glDisable(GL_DEPTH_TEST);
        glDepthMask(depthMask);
        glShadeModel(GLenum(shadeModel));
    }
    // Two states that differ in every field.
    static std::vector<DrawState> Samples()
    {
        return {DrawState{}, DrawState{GL_TRUE, GL_TRUE, GL_FALSE, GL_FLAT}};
    }
};

inline std::ostream& operator<<(std::ostream& out, const DrawState& s)
{
    return out << "blend " << int(s.blend) << " depth test " << int(s.depthTest) << " depth mask "
               << int(s.depthMask) << " shade model 0x" << std::hex << s.shadeModel << std::dec;
}

// Records and analysis state as a document window holds them.
class RenderScene {
public:
    explicit RenderScene(uint32_t channels = 1, uint32_t order = 5, float rate = 1024.0f)
    {
        LResourceSource::SetGlobal(&fFile.Source());
        window = prefs.AddDocument();
        LObject::SetFloat(window, nullptr, kWindRate, rate, LObject::Merge::No);
        LObject::SetByte(Common(), nullptr, kComnFtsx, uint8_t(order), LObject::Merge::No);
        ResizeChannelRecords(document.Root(), nullptr, channels);
        // Cursors out of the view unless a test places them.
        for (uint32_t c = 0; c < channels; ++c) {
            LObject* chan = document.Root()->GetChild(kFdrsChns, c);
            for (const uint8_t field : {kChanCrrv, kChanCrrh, kChanCrsv, kChanCrsh})
                LObject::SetFloat(chan, nullptr, field, -1.0f, LObject::Merge::No);
        }
        EXPECT_TRUE(analyser.Setup(channels, order, 0));
        input.analyser = &analyser;
        input.document = document.Root();
        input.window = window;
        input.zoom = 1;
    }
    ~RenderScene() { LResourceSource::SetGlobal(nullptr); }

    LObject* Common() const { return document.Root()->GetChild(kFdrsComn); }
    LObject* Colors() const { return prefs.Root()->GetChild(kPrefClrs); }
    std::vector<float>& Magnitude(uint32_t c = 0) { return analyser.Channel(c)->magnitude; }

    ProgramResourceFile fFile;
    CFaderSetRecord document;
    CAppPrefs prefs;
    LObject* window = nullptr;
    CSpectrumAnalyser analyser;
    RenderInput input;
};
