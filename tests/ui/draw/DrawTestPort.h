#pragma once
#include "platform/draw/Bitmap.h"
#include "platform/draw/Canvas.h"
#include "ui/draw/LPortState.h"

// A drawing port over a bitmap of its own, clipped to the whole bitmap, for reading back
// what the drawing operations paint.
class DrawTestPort : public LPortState {
public:
    DrawTestPort(int width, int height) : bitmap(width, height), canvas(bitmap)
    {
        SetContext(&canvas);
        SetClip(LRegion(CLRect{0, 0, width, height}));
    }
    ~DrawTestPort() override { SetContext(nullptr); }

    uint32_t Pixel(int x, int y) const { return bitmap.Pixel(x, y); }
    // Pixels equal to argb inside [left, right) x [top, bottom) of the bitmap.
    int Count(uint32_t argb) const
    {
        int count = 0;
        for (int y = 0; y < bitmap.Height(); ++y)
            for (int x = 0; x < bitmap.Width(); ++x)
                count += bitmap.Pixel(x, y) == argb;
        return count;
    }

    plat::Bitmap bitmap;
    plat::Canvas canvas;
};
