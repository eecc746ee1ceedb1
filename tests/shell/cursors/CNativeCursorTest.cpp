#include "shell/cursors/CNativeCursor.h"
#include "foundation/input/LMouse.h"
#include "platform/cursors/Cursor.h"
#include "platform/draw/Bitmap.h"
#include "tests/support/MemResourceSource.h"
#include "tests/support/ProgramResourceFile.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

uint32_t Crc32(const uint8_t* data, size_t size)
{
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void PutU32(std::vector<uint8_t>& out, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<uint8_t>(value >> shift));
}

// A PNG picture of the given size; with `chunk` non-empty, a 'hsPT' chunk of those bytes
// follows the header chunk.
std::vector<uint8_t> CursorPng(int width, int height, const std::vector<uint8_t>& chunk)
{
    plat::Bitmap image(width, height);
    image.Fill(0xFF000000);
    std::vector<uint8_t> png;
    EXPECT_TRUE(image.EncodePng(png));
    if (chunk.empty())
        return png;
    std::vector<uint8_t> extra;
    PutU32(extra, static_cast<uint32_t>(chunk.size()));
    const size_t typeAt = extra.size();
    extra.insert(extra.end(), {'h', 's', 'P', 'T'});
    extra.insert(extra.end(), chunk.begin(), chunk.end());
    PutU32(extra, Crc32(extra.data() + typeAt, extra.size() - typeAt));
    constexpr size_t kAfterHeader = 8 + 8 + 13 + 4; // signature, then the whole header chunk
    png.insert(png.begin() + kAfterHeader, extra.begin(), extra.end());
    return png;
}

class CNativeCursorTest : public testing::Test {
protected:
    void TearDown() override { LMouse::SetCursor(0); }

    static plat::CursorShape CurrentShape() { return plat::Cursor::Current()->Shape(); }

    MemResourceSource fSource;
};

} // namespace

TEST_F(CNativeCursorTest, HotSpotComesFromItsChunkHeldInsideAndDefaultsToTheTopLeft)
{
    struct Case {
        const char* name;
        int width, height;
        std::vector<uint8_t> chunk;
        double x, y;
    };
    const Case cases[] = {{"kPlusCursor", 16, 12, {0x00, 0x05, 0x00, 0x0A}, 5, 10},
                          {"far", 8, 6, {0x01, 0x00, 0xFF, 0xFF}, 7, 5}, // held inside the picture
                          {"plain", 8, 8, {}, 0, 0},
                          {"short", 8, 8, {0x00, 0x03}, 0, 0}};
    int16_t id = 128;
    for (const Case& c : cases) {
        fSource.Add(kCursorResourceType, id++, c.name, CursorPng(c.width, c.height, c.chunk));
        CNativeCursor cursor(LResRef{0, c.name}, &fSource);
        ASSERT_TRUE(cursor.IsLoaded()) << c.name;
        EXPECT_EQ(cursor.Native()->Shape(), plat::CursorShape::Image);
        EXPECT_EQ(cursor.Native()->Image().Width(), c.width);
        EXPECT_EQ(cursor.Native()->Image().Height(), c.height);
        EXPECT_EQ(cursor.Native()->HotSpot().x, c.x) << c.name;
        EXPECT_EQ(cursor.Native()->HotSpot().y, c.y) << c.name;
        cursor.Set();
        EXPECT_EQ(plat::Cursor::Current().Get(), cursor.Native());
    }
}

TEST_F(CNativeCursorTest, StandardNameWithoutResource)
{
    CNativeCursor arrow(LResRef{0, "arrowCursor"}, &fSource);
    ASSERT_TRUE(arrow.IsLoaded());
    EXPECT_EQ(arrow.Native()->Shape(), plat::CursorShape::Arrow);
    CNativeCursor unknown(LResRef{0, "noSuchCursor"}, &fSource);
    EXPECT_FALSE(unknown.IsLoaded());
    CNativeCursor byId(LResRef{300, nullptr}, &fSource);
    EXPECT_FALSE(byId.IsLoaded());

    LMouse::SetCursor(3);
    const uint64_t sets = plat::Cursor::SetCount();
    unknown.Set(); // nothing to show: the current cursor stays
    EXPECT_EQ(plat::Cursor::SetCount(), sets);
    EXPECT_EQ(CurrentShape(), plat::CursorShape::Crosshair);
}

TEST_F(CNativeCursorTest, DamagedPictureFallsBackToTheName)
{
    std::vector<uint8_t> damaged = CursorPng(8, 8, {});
    damaged.resize(damaged.size() / 2);
    fSource.Add(kCursorResourceType, 128, "IBeamCursor", damaged);
    fSource.Add(kCursorResourceType, 129, "brokenOwn", damaged);
    CNativeCursor named(LResRef{0, "IBeamCursor"}, &fSource);
    ASSERT_TRUE(named.IsLoaded());
    EXPECT_EQ(named.Native()->Shape(), plat::CursorShape::IBeam);
    CNativeCursor broken(LResRef{0, "brokenOwn"}, &fSource);
    EXPECT_FALSE(broken.IsLoaded());
    ScopedGlobalResources none(nullptr); // without any resource source only names are tried
    CNativeCursor cursor(LResRef{0, "crosshairCursor"}, nullptr);
    ASSERT_TRUE(cursor.IsLoaded());
    EXPECT_EQ(cursor.Native()->Shape(), plat::CursorShape::Crosshair);
}

TEST_F(CNativeCursorTest, MouseShowsStandardShapesByNumberCursorObjectsAndTheArrowForNone)
{
    const std::pair<int32_t, plat::CursorShape> cases[] = {
        {0, plat::CursorShape::Arrow}, {1, plat::CursorShape::Arrow}, {2, plat::CursorShape::IBeam},
        {3, plat::CursorShape::Crosshair}, {4, plat::CursorShape::Arrow}, {-1, plat::CursorShape::Arrow},
    };
    for (const auto& [number, shape] : cases) {
        LMouse::SetCursor(number);
        EXPECT_EQ(CurrentShape(), shape) << number;
    }
    fSource.Add(kCursorResourceType, 128, "own", CursorPng(4, 4, {}));
    CNativeCursor own(LResRef{0, "own"}, &fSource);
    LMouse::SetCursorObject(&own);
    EXPECT_EQ(plat::Cursor::Current().Get(), own.Native());
    LMouse::SetCursorObject(nullptr);
    EXPECT_EQ(CurrentShape(), plat::CursorShape::Arrow);
}

