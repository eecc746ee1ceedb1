#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace plat {

// A picture in memory: 32-bit pixels, premultiplied ARGB held as native 32-bit words
// (0xAARRGGBB), rows of `Stride()` bytes from top to bottom. A default bitmap is empty (0 x 0).
class Bitmap {
public:
    // The largest width or height a bitmap may have; larger requests make an empty bitmap.
    static constexpr int kMaxSide = 16384;
    // The most pixels a decoded PNG may have, so that a small file cannot claim a huge image.
    static constexpr int64_t kMaxDecodedPixels = int64_t(1) << 24;

    Bitmap() = default;
    // A bitmap of the given size cleared to transparent black; empty when a side is not in 1..kMaxSide.
    Bitmap(int width, int height);
    // The same with rows `strideBytes` apart: at least width x 4 and a multiple of 4, else the
    // rows are packed.
    Bitmap(int width, int height, int strideBytes);

    int Width() const { return fWidth; }
    int Height() const { return fHeight; }
    // Bytes from the start of one row to the start of the next.
    int Stride() const { return fRowPixels * 4; }
    bool Empty() const { return fWidth == 0 || fHeight == 0; }

    // The premultiplied ARGB word at (x, y); 0 outside the bitmap.
    uint32_t Pixel(int x, int y) const;
    // Stores a premultiplied ARGB word at (x, y); ignored outside the bitmap.
    void SetPixel(int x, int y, uint32_t argb);
    // Sets every pixel to one premultiplied ARGB word.
    void Fill(uint32_t argb);

    uint32_t* Row(int y) { return fPixels.data() + static_cast<size_t>(y) * fRowPixels; }
    const uint32_t* Row(int y) const { return fPixels.data() + static_cast<size_t>(y) * fRowPixels; }
    uint8_t* Bytes() { return reinterpret_cast<uint8_t*>(fPixels.data()); }
    const uint8_t* Bytes() const { return reinterpret_cast<const uint8_t*>(fPixels.data()); }

    // Writes the bitmap as an 8-bit RGBA PNG file (colours un-premultiplied). False when the
    // bitmap is empty or the file cannot be written; a failed write leaves no partial file.
    [[nodiscard]] bool SavePng(const std::string& path) const;
    // Encodes the bitmap as PNG bytes; false when it is empty.
    [[nodiscard]] bool EncodePng(std::vector<uint8_t>& out) const;

    // Reads a PNG file of any colour type and depth into `out`. False, with `out` untouched,
    // when the file is missing, not a PNG, damaged, larger than kMaxSide on a side or larger
    // than kMaxDecodedPixels in all.
    [[nodiscard]] static bool LoadPng(const std::string& path, Bitmap& out);
    // Decodes PNG bytes held in memory, under the same rules as LoadPng.
    [[nodiscard]] static bool DecodePng(const void* data, size_t size, Bitmap& out);

    // Premultiplies 8-bit straight colour components into one ARGB word.
    static uint32_t Premultiply(uint8_t r, uint8_t g, uint8_t b, uint8_t a);

private:
    int fWidth = 0;
    int fHeight = 0;
    int fRowPixels = 0;  // row length in pixels, padding included
    std::vector<uint32_t> fPixels;
};

} // namespace plat
