#include "platform/draw/Bitmap.h"

#include <png.h>

#include <algorithm>

#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace plat {

namespace {

uint8_t Unpremultiply(uint32_t component, uint32_t alpha)
{
    if (alpha == 0)
        return 0;
    uint32_t value = (component * 255 + alpha / 2) / alpha;
    return static_cast<uint8_t>(value > 255 ? 255 : value);
}

// Writes all bytes to a fresh temporary file beside `path` and renames it over `path`,
// so that a reader never sees half a file.
bool WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::string temp = path + ".tmp-XXXXXX";
    int fd = mkstemp(temp.data());
    if (fd < 0)
        return false;
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0)
            break;
        done += static_cast<size_t>(n);
    }
    bool ok = done == bytes.size() && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    if (ok)
        ok = std::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok)
        unlink(temp.c_str());
    return ok;
}

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes)
{
    // PNG files the program reads are small images; a cap keeps a wrong path from eating memory.
    constexpr long kMaxFileSize = 256L * 1024 * 1024;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    bool ok = std::fseek(file, 0, SEEK_END) == 0;
    long size = ok ? std::ftell(file) : -1;
    ok = ok && size >= 0 && size <= kMaxFileSize && std::fseek(file, 0, SEEK_SET) == 0;
    if (ok) {
        bytes.resize(static_cast<size_t>(size));
        ok = std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
    }
    std::fclose(file);
    return ok;
}

} // namespace

Bitmap::Bitmap(int width, int height) : Bitmap(width, height, 0) {}

Bitmap::Bitmap(int width, int height, int strideBytes)
{
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide)
        return;
    fWidth = width;
    fHeight = height;
    bool strideFits = strideBytes >= width * 4 && strideBytes % 4 == 0 && strideBytes / 4 <= 2 * kMaxSide;
    fRowPixels = strideFits ? strideBytes / 4 : width;
    fPixels.assign(static_cast<size_t>(fRowPixels) * static_cast<size_t>(height), 0u);
}

uint32_t Bitmap::Pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= fWidth || y >= fHeight)
        return 0;
    return Row(y)[x];
}

void Bitmap::SetPixel(int x, int y, uint32_t argb)
{
    if (x < 0 || y < 0 || x >= fWidth || y >= fHeight)
        return;
    Row(y)[x] = argb;
}

void Bitmap::Fill(uint32_t argb)
{
    std::fill(fPixels.begin(), fPixels.end(), argb);
}

uint32_t Bitmap::Premultiply(uint8_t r, uint8_t g, uint8_t b, uint8_t a)
{
    auto scale = [a](uint8_t c) { return static_cast<uint32_t>((c * a + 127) / 255); };
    return (static_cast<uint32_t>(a) << 24) | (scale(r) << 16) | (scale(g) << 8) | scale(b);
}

bool Bitmap::EncodePng(std::vector<uint8_t>& out) const
{
    if (Empty())
        return false;
    std::vector<uint8_t> rgba(static_cast<size_t>(fWidth) * fHeight * 4);
    for (size_t i = 0; i < rgba.size() / 4; ++i) {
        uint32_t p = Row(static_cast<int>(i / fWidth))[i % fWidth];
        uint32_t a = p >> 24;
        rgba[i * 4 + 0] = Unpremultiply((p >> 16) & 0xFF, a);
        rgba[i * 4 + 1] = Unpremultiply((p >> 8) & 0xFF, a);
        rgba[i * 4 + 2] = Unpremultiply(p & 0xFF, a);
        rgba[i * 4 + 3] = static_cast<uint8_t>(a);
    }
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(fWidth);
    image.height = static_cast<png_uint_32>(fHeight);
    image.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, rgba.data(), 0, nullptr))
        return false;
    out.resize(size);
    bool ok = png_image_write_to_memory(&image, out.data(), &size, 0, rgba.data(), 0, nullptr);
    png_image_free(&image);
    if (!ok)
        return false;
    out.resize(size);
    return true;
}

bool Bitmap::SavePng(const std::string& path) const
{
    std::vector<uint8_t> bytes;
    return EncodePng(bytes) && WriteFileAtomically(path, bytes);
}

bool Bitmap::DecodePng(const void* data, size_t size, Bitmap& out)
{
    if (!data || size == 0)
        return false;
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, data, size))
        return false;
    bool sizeFits = image.width >= 1 && image.height >= 1 && image.width <= kMaxSide && image.height <= kMaxSide &&
                    int64_t(image.width) * image.height <= kMaxDecodedPixels;
    if (!sizeFits) {
        png_image_free(&image);
        return false;
    }
    image.format = PNG_FORMAT_RGBA;
    std::vector<uint8_t> rgba(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr)) {
        png_image_free(&image);
        return false;
    }
    Bitmap result(static_cast<int>(image.width), static_cast<int>(image.height));
    for (size_t i = 0; i < result.fPixels.size(); ++i) {
        const uint8_t* c = &rgba[i * 4];
        result.fPixels[i] = Premultiply(c[0], c[1], c[2], c[3]);
    }
    out = std::move(result);
    return true;
}

bool Bitmap::LoadPng(const std::string& path, Bitmap& out)
{
    std::vector<uint8_t> bytes;
    return ReadWholeFile(path, bytes) && DecodePng(bytes.data(), bytes.size(), out);
}

} // namespace plat
