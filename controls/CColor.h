#pragma once
#include "foundation/core/LRef.h"
#include "platform/draw/Canvas.h"
#include "ui/draw/LColorRecord.h"
#include "ui/draw/LRGB.h"

#include <cstdint>

class CColorRef;
class LPortState;

// The shared colour record every brush, text colour and frame colour refers to. Greys and
// colours by id live for the whole run; RGB colours go with their last handle.
// Ids 0..7 name desktop colours: 0-2 window background, 3 selected-text background, 4-5
// keyboard focus indicator, 6 text background, 7 text.
class CColor : public LColorRecord {
public:
    // Grey level 1..4 = 0x40, 0x80, 0xC0, 0xFF with index = level; other levels black.
    static CColor* Grey(uint32_t level);
    // The colour with that id (other fields at their defaults).
    static CColor* FromId(int32_t colorId);
    static CColor* FromRGB(uint8_t red, uint8_t green, uint8_t blue, uint32_t index, float alpha);

    // Make `handle` refer to the shared record (found in or added to the registry).
    static void AssignGrey(CColorRef& handle, uint32_t level);
    static void AssignById(CColorRef& handle, int32_t colorId);
    static void AssignRGB(CColorRef& handle, const LRGB& rgb, uint32_t index);
    static void AssignRGBA(CColorRef& handle, const LRGB& rgb, uint32_t index, float alpha);

    // The colour to draw with: the named colour for ids 0..7, else the record's RGB and alpha.
    plat::Color PlatformColor() const;

private:
    CColor() noexcept = default;
    CColor(const CColor&) = delete;
    // The registered record equal to `key`, or a new registered one; permanent records get
    // one extra count so that they are never freed.
    enum class Lifetime { Permanent, Counted };
    static CColor* FindOrMake(const LColorRecord& key, Lifetime lifetime);
};

// A handle to a shared colour record (null allowed).
class CColorRef : public LTypedRef<CColor> {
public:
    CColorRef() noexcept = default;
    CColorRef(CColor* color) noexcept : LTypedRef<CColor>(color) {}
};

// Sets the fill and stroke colours of the port's drawing context from the colour (null gives
// black). Nothing when `defer` is set or the port has no context.
void SetContextColors(const CColor* color, LPortState& port, uint8_t defer);
