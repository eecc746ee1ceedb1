#pragma once
// A document window showing its channel list, with a scripted source, the render timer fired
// by hand and the pixels of the rows' OpenGL areas read back.
#include "analysis/views/CSnxChList.h"
#include "analysis/views/SNXCHCELL.h"
#include "analysis/views/SNXCHVW.h"
#include "controls/CViewPrefs.h"
#include "controls/lists/CCellIter.h"
#include "foundation/records/CParamSchema.h"
#include "foundation/records/LObjRoot.h"
#include "platform/draw/Bitmap.h"
#include "platform/window/DisplayCycle.h"
#include "platform/window/Window.h"
#include "shell/draw/LFontData.h"
#include "shell/gl/MGLView2.h"
#include "platform/gl/GLApi.h"
#include "platform/gl/GLContext.h"
#include "shell/gl/CGLContext.h"
#include "shell/gl/CGLContextLock.h"
#include "tests/analysis/window/SpecWindowKit.h"
#include "tests/support/FireDueTimers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <vector>

class ChannelListTest : public SpecWindowTest {
protected:
    ChannelListTest()
    {
        Make();
        ShowWithSource();
        // Only the spectrum in the picture: no grid, no trail, cursors out of the view.
        LObject::SetBool(record, nullptr, kWindGrid, false, LObject::Merge::No);
        LObject::SetBool(record, nullptr, kWindTral, false, LObject::Merge::No);
        LObject::SetBool(Common(), nullptr, kComnDb, false, LObject::Merge::No);
        LObject* chan = window->Document().Root()->GetChild(kFdrsChns, 0);
        for (const uint8_t field : {kChanCrrv, kChanCrrh, kChanCrsv, kChanCrsh})
            LObject::SetFloat(chan, nullptr, field, -1.0f, LObject::Merge::No);
    }
    ~ChannelListTest() override
    {
        if (!fFonts)
            return;
        window.reset();
        CViewPrefs::Shared().SetParamSet(nullptr);
        LFontData::ResetAllNSFonts();
    }
    // Shows the window and makes the scripted source its current one, which tells the window
    // its type before any data.
    void ShowWithSource()
    {
        window->ShowWindow();
        source = &UseScripted();
        LMessage::Send(LMessage(LAsyncEvent::msgNote, const_cast<LAsyncEvent*>(&window->Note()),
                                static_cast<LHandler*>(window.get())));
    }
    // Chooses the view font of the kind, as the view-font list does.
    void UseViewFont(uint32_t kind, const char* family, float size)
    {
        if (!fFonts)
            fFonts = std::make_unique<LObjRoot>(LObject::Create(CParamSchema::SetClass()));
        CViewPrefs::Shared().SetParamSet(fFonts->Root());
        CViewPrefs::Shared().SetFont(kind, {LStringRef(family), size});
    }
    static constexpr uint32_t kViewFont = 2; // the font of the axis and level texts
    CSnxChList& List() { return window->ChannelList(); }
    SNXCHCELL& Row(int32_t r)
    {
        CCellIter iter(List(), {0, r}, false);
        return dynamic_cast<SNXCHCELL&>(*iter.Pane());
    }
    // Row 0's spectrum area: rows may get other panes after their cells were released.
    const CChannelGLView& Spectrum() { return Row(0).Spectrum().SpectrumView(); }
    // A sine at bin k of the analysis on channel 0, delivered and drawn.
    void SineAndRender(float amplitude, uint32_t k)
    {
        Sine(amplitude, k);
        Render();
    }
    // The same sine delivered to the window, not yet drawn.
    void Sine(float amplitude, uint32_t k)
    {
        const uint32_t n = uint32_t(window->Plan().windowTable.size());
        for (uint32_t i = 0; i < 2 * n; ++i)
            source->steps.push_back({{amplitude * float(std::sin(2.0 * std::numbers::pi * k * i / n))}, {}});
        LAsyncQueueLock lock(queue);
        LMessage::Send(LMessage(CSampleSrc::msgData, source, source->Parent()));
    }
    void Render()
    {
        List().RequestRender();
        clock.AdvanceMs(1000);
        FireDueTimers();
    }
    // The pixels of a drawing area, top row first, as 0xRRGGBB.
    static std::vector<uint32_t> Pixels(const CChannelGLView& view, int32_t& width, int32_t& height)
    {
        width = int32_t(view.glRect.Width());
        height = int32_t(view.glRect.Height());
        std::vector<uint32_t> pixels(size_t(std::max(0, width * height)), 0);
        if (pixels.empty() || !view.context)
            return pixels;
        CGLContextLock lock(view.context);
        glFinish();
        EXPECT_TRUE(view.context->Native()->ReadPixels(pixels.data(), size_t(width) * 4));
        for (uint32_t& p : pixels)
            p &= 0xFFFFFF;
        return pixels;
    }
    // The highest drawn pixel (the spectrum's peak) counted from the top; (-1, -1) when nothing
    // is drawn.
    static CLPoint Peak(const CChannelGLView& view)
    {
        int32_t width = 0, height = 0;
        const std::vector<uint32_t> pixels = Pixels(view, width, height);
        for (int32_t y = 0; y < height; ++y) {
            for (int32_t x = 0; x < width; ++x) {
                if (pixels[size_t(y) * width + x] != 0)
                    return {x, y};
            }
        }
        return {-1, -1};
    }
    static int32_t PeakColumn(const CChannelGLView& view) { return Peak(view).x; }

    // The whole window drawn after a render pass.
    const plat::Bitmap& DrawnWindow()
    {
        Render();
        plat::Window* host = Spectrum().context->Host();
        host->ContentView()->SetNeedsDisplay();
        EXPECT_TRUE(plat::DisplayCycle::Display(*host));
        return *host->BackingImage();
    }
    // A drawing area's place in the window image, from its surface's place in the window.
    static CLRect InImage(const CChannelGLView& area, const plat::Bitmap& image)
    {
        MGLView2* view = area.context->View();
        const plat::Rect frame = view->ConvertRectToWindow(view->Bounds());
        const int32_t left = int32_t(std::lround(frame.x));
        const int32_t top = image.Height() - int32_t(std::lround(frame.y + frame.height));
        return {left, top, left + int32_t(std::lround(frame.width)), top + int32_t(std::lround(frame.height))};
    }
    // Column spans of ink in a band of the image, left to right: a text each when more than
    // 4 px of the band's background part them.
    static std::vector<CLRect> InkSpans(const plat::Bitmap& image, const CLRect& band)
    {
        const uint32_t background = image.Pixel(band.right - 1, band.top) & 0xFFFFFF;
        std::vector<CLRect> spans;
        for (int32_t x = band.left; x < band.right; ++x) {
            bool ink = false;
            for (int32_t y = band.top; y < band.bottom && !ink; ++y)
                ink = (image.Pixel(x, y) & 0xFFFFFF) != background;
            if (ink && (spans.empty() || x - spans.back().right > 4))
                spans.push_back({x, band.top, x, band.bottom});
            if (ink)
                spans.back().right = x;
        }
        return spans;
    }

    ScriptedSource* source = nullptr;
    // The view-font choices of the test, given to the view preferences while it runs.
    std::unique_ptr<LObjRoot> fFonts;
};

