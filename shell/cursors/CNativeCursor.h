#pragma once
#include "foundation/core/LHandleData.h"
#include "foundation/text/LResourceSource.h"
#include "platform/values/ValueRef.h"

#include <cstdint>
#include <vector>

namespace plat {
class Cursor;
}

// Resource type of cursor pictures: PNG images whose hot spot travels in a private chunk.
inline constexpr uint32_t kCursorResourceType = 0x54504E47; // 'TPNG'

// A cursor of the program, made from a resource reference: the 'TPNG' picture of that name,
// its hot spot read from the PNG's 'hsPT' chunk (big-endian u16 x, then y, in pixels from the
// top-left corner; (0, 0) without one). When no such picture exists the reference's name is
// taken as the name of one of the window system's standard cursors.
class CNativeCursor : public LHandleData {
public:
    // Loads from the given source, or from the application's resource chain when none; with
    // no resource source at all only the standard names are tried.
    CNativeCursor(const LResRef& ref, LResourceSource* source);
    ~CNativeCursor() override;

    // A cursor exists.
    virtual bool IsLoaded() const;
    // Makes it the current cursor; nothing when none was loaded.
    virtual void Set();
    // The resource source's load callback: answers whether a cursor exists afterwards.
    virtual bool Load(LResourceSource& source, const LResRef& ref);

    plat::Cursor* Native() const { return fCursor.Get(); }

    // The hot spot held in the PNG bytes' 'hsPT' chunk; (0, 0) when there is none.
    static void ReadHotSpot(const std::vector<uint8_t>& png, uint16_t& x, uint16_t& y);

private:
    bool LoadNamed(const LResRef& ref);

    plat::Ref<plat::Cursor> fCursor;
};
