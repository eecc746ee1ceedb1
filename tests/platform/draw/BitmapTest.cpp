#include "platform/draw/Bitmap.h"
#include "tests/support/SoundTools.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace {

// Writes a PNG with python's zlib: colour type `kind` 6 (RGBA) or 2 (RGB), 8 bits, filter byte 0.
const char* kWritePngBody = R"(
import sys, zlib, struct
def chunk(t, d):
    return struct.pack('>I', len(d)) + t + d + struct.pack('>I', zlib.crc32(t + d) & 0xffffffff)
rows = [[(255, 0, 0, 255), (0, 255, 0, 128), (0, 0, 255, 0)],
        [(10, 20, 30, 255), (255, 255, 255, 255), (200, 100, 50, 64)]]
raw = b''
for row in rows:
    raw += b'\x00'
    for p in row:
        raw += bytes(p if kind == 6 else p[:3])
png = b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', 3, 2, 8, kind, 0, 0, 0))
png += chunk(b'IDAT', zlib.compress(raw)) + chunk(b'IEND', b'')
open(sys.argv[1], 'wb').write(png)
)";

// Decodes an 8-bit RGBA PNG independently (all five row filters) and prints its pixels.
const char* kReadPng = R"(
import sys, zlib, struct
data = open(sys.argv[1], 'rb').read()
assert data[:8] == b'\x89PNG\r\n\x1a\n'
pos, idat = 8, b''
while pos < len(data):
    n, t = struct.unpack('>I4s', data[pos:pos + 8])
    body = data[pos + 8:pos + 8 + n]
    if t == b'IHDR':
        w, h, depth, kind = struct.unpack('>IIBB', body[:10])
    if t == b'IDAT':
        idat += body
    pos += 12 + n
raw, bpp, stride = zlib.decompress(idat), 4, w * 4
prev, out, i = bytearray(stride), [], 0
for y in range(h):
    f, line = raw[i], bytearray(raw[i + 1:i + 1 + stride]); i += 1 + stride
    for x in range(stride):
        a = line[x - bpp] if x >= bpp else 0
        b = prev[x]
        c = prev[x - bpp] if x >= bpp else 0
        if f == 1: line[x] = (line[x] + a) & 255
        elif f == 2: line[x] = (line[x] + b) & 255
        elif f == 3: line[x] = (line[x] + (a + b) // 2) & 255
        elif f == 4:
            p = a + b - c; pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
            line[x] = (line[x] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
    out.append(' '.join('%d,%d,%d,%d' % tuple(line[x:x + 4]) for x in range(0, stride, 4)))
    prev = line
print('%dx%d %d %d' % (w, h, depth, kind))
print('\n'.join(out))
)";

std::string WritePythonPng(const std::string& name, int kind)
{
    std::string path = TempSoundPath(name);
    RunPython("kind = " + std::to_string(kind) + kWritePngBody, path);
    return path;
}

} // namespace

TEST(Bitmap, NewBitmapIsTransparentAndSized)
{
    plat::Bitmap bitmap(5, 3);
    EXPECT_EQ(bitmap.Width(), 5);
    EXPECT_EQ(bitmap.Height(), 3);
    EXPECT_EQ(bitmap.Stride(), 20);
    EXPECT_EQ(bitmap.Pixel(4, 2), 0u);
    bitmap.SetPixel(4, 2, 0xFF112233u);
    EXPECT_EQ(bitmap.Pixel(4, 2), 0xFF112233u);
    // Outside reads are 0 and outside writes are dropped.
    bitmap.SetPixel(5, 0, 0xFFFFFFFFu);
    bitmap.SetPixel(-1, 0, 0xFFFFFFFFu);
    EXPECT_EQ(bitmap.Pixel(5, 0), 0u);
    EXPECT_EQ(bitmap.Pixel(0, -1), 0u);
}

TEST(Bitmap, BadSizesMakeEmptyBitmaps)
{
    EXPECT_TRUE(plat::Bitmap(0, 10).Empty());
    EXPECT_TRUE(plat::Bitmap(-3, 10).Empty());
    EXPECT_TRUE(plat::Bitmap(plat::Bitmap::kMaxSide + 1, 1).Empty());
    plat::Bitmap empty;
    EXPECT_FALSE(empty.SavePng(TempSoundPath("empty.png")));
    EXPECT_EQ(empty.Pixel(0, 0), 0u);
}

TEST(Bitmap, PremultipliesStraightColours)
{
    EXPECT_EQ(plat::Bitmap::Premultiply(255, 0, 0, 255), 0xFFFF0000u);
    EXPECT_EQ(plat::Bitmap::Premultiply(0, 255, 0, 128), 0x80008000u);
    EXPECT_EQ(plat::Bitmap::Premultiply(0, 0, 255, 0), 0u);
}

TEST(Bitmap, PngRoundTripKeepsEveryPixel)
{
    plat::Bitmap bitmap(4, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            bitmap.SetPixel(x, y, plat::Bitmap::Premultiply(uint8_t(x * 60), uint8_t(y * 100), 7, 255));
    bitmap.SetPixel(3, 2, 0u);  // fully transparent survives as 0
    std::string path = TempSoundPath("round.png");
    ASSERT_TRUE(bitmap.SavePng(path));
    plat::Bitmap loaded;
    ASSERT_TRUE(plat::Bitmap::LoadPng(path, loaded));
    ASSERT_EQ(loaded.Width(), 4);
    ASSERT_EQ(loaded.Height(), 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(loaded.Pixel(x, y), bitmap.Pixel(x, y)) << x << "," << y;
}

TEST(Bitmap, SavedPngReadsBackWithIndependentDecoder)
{
    plat::Bitmap bitmap(2, 2);
    bitmap.SetPixel(0, 0, 0xFFFF0000u);
    bitmap.SetPixel(1, 0, 0x80008000u);  // half-transparent green, premultiplied
    bitmap.SetPixel(0, 1, 0xFF0A141Eu);
    std::string path = TempSoundPath("independent.png");
    ASSERT_TRUE(bitmap.SavePng(path));
    EXPECT_EQ(RunPython(kReadPng, path), "2x2 8 6\n255,0,0,255 0,255,0,128\n10,20,30,255 0,0,0,0");
}

TEST(Bitmap, LoadsPngWrittenByAnotherTool)
{
    for (int kind : {6, 2}) {
        std::string path = WritePythonPng("python" + std::to_string(kind) + ".png", kind);
        plat::Bitmap bitmap;
        ASSERT_TRUE(plat::Bitmap::LoadPng(path, bitmap)) << kind;
        ASSERT_EQ(bitmap.Width(), 3);
        ASSERT_EQ(bitmap.Height(), 2);
        EXPECT_EQ(bitmap.Pixel(0, 0), 0xFFFF0000u);
        EXPECT_EQ(bitmap.Pixel(0, 1), 0xFF0A141Eu);
        EXPECT_EQ(bitmap.Pixel(1, 1), 0xFFFFFFFFu);
        if (kind == 6) {
            EXPECT_EQ(bitmap.Pixel(1, 0), 0x80008000u);
            EXPECT_EQ(bitmap.Pixel(2, 0), 0u);
            EXPECT_EQ(bitmap.Pixel(2, 1), plat::Bitmap::Premultiply(200, 100, 50, 64));
        } else {
            EXPECT_EQ(bitmap.Pixel(2, 0), 0xFF0000FFu);  // no alpha channel: opaque
        }
    }
}

TEST(Bitmap, RejectsMissingDamagedAndForeignFiles)
{
    plat::Bitmap bitmap(1, 1);
    bitmap.SetPixel(0, 0, 0xFF123456u);
    EXPECT_FALSE(plat::Bitmap::LoadPng(TempSoundPath("missing.png"), bitmap));

    std::string good = WritePythonPng("good.png", 6);
    std::ifstream in(good, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(bytes.size(), 40u);
    EXPECT_FALSE(plat::Bitmap::DecodePng(bytes.data(), bytes.size() / 2, bitmap));  // cut short
    std::string damaged = bytes;
    damaged[40] ^= 0x55;  // inside the image data: CRC and inflate fail
    EXPECT_FALSE(plat::Bitmap::DecodePng(damaged.data(), damaged.size(), bitmap));
    std::string text = "GIF89a not a png at all";
    EXPECT_FALSE(plat::Bitmap::DecodePng(text.data(), text.size(), bitmap));
    EXPECT_FALSE(plat::Bitmap::DecodePng(nullptr, 0, bitmap));
    // The target is untouched by every failure.
    EXPECT_EQ(bitmap.Pixel(0, 0), 0xFF123456u);
}

TEST(Bitmap, SaveToUnwritablePlaceFailsCleanly)
{
    plat::Bitmap bitmap(1, 1);
    EXPECT_FALSE(bitmap.SavePng(TempSoundPath("no/such/folder/x.png")));
}

TEST(Bitmap, PaddedRowsKeepPixelsApartAndSaveWithoutPadding)
{
    plat::Bitmap bitmap(3, 2, 16);
    EXPECT_EQ(bitmap.Stride(), 16);
    bitmap.SetPixel(2, 0, 0xFF0000FFu);
    bitmap.SetPixel(0, 1, 0xFFFF0000u);
    EXPECT_EQ(bitmap.Row(1)[0], 0xFFFF0000u);
    EXPECT_EQ(bitmap.Row(0)[3], 0u);  // padding
    std::string path = TempSoundPath("padded.png");
    ASSERT_TRUE(bitmap.SavePng(path));
    plat::Bitmap loaded;
    ASSERT_TRUE(plat::Bitmap::LoadPng(path, loaded));
    EXPECT_EQ(loaded.Stride(), 12);
    EXPECT_EQ(loaded.Pixel(2, 0), 0xFF0000FFu);
    EXPECT_EQ(loaded.Pixel(0, 1), 0xFFFF0000u);
    // A stride too small or not a whole number of pixels packs the rows.
    EXPECT_EQ(plat::Bitmap(3, 2, 8).Stride(), 12);
    EXPECT_EQ(plat::Bitmap(3, 2, 18).Stride(), 12);
}

TEST(Bitmap, RefusesAPngThatClaimsAHugeImage)
{
    // A valid header for 16000 x 16000 pixels with almost no data behind it.
    std::string path = TempSoundPath("huge.png");
    RunPython(R"(
import sys, zlib, struct
def chunk(t, d):
    return struct.pack('>I', len(d)) + t + d + struct.pack('>I', zlib.crc32(t + d) & 0xffffffff)
png = b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', 16000, 16000, 8, 6, 0, 0, 0))
png += chunk(b'IDAT', zlib.compress(b'\x00' * 100)) + chunk(b'IEND', b'')
open(sys.argv[1], 'wb').write(png)
)", path);
    plat::Bitmap bitmap;
    EXPECT_FALSE(plat::Bitmap::LoadPng(path, bitmap));
    EXPECT_TRUE(bitmap.Empty());
}
