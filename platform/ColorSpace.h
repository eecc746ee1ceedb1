#pragma once
#include "platform/Shared.h"

namespace plat {

// A colour space of the drawing layer. Drawing works in sRGB throughout; the object names the
// space that bitmaps and colours are in.
class ColorSpace final : public Shared {
public:
    enum class Kind { SRGB };

    // A new colour space owned by the caller (count 1).
    static ColorSpace* Create(Kind kind);
    Kind kind() const { return fKind; }

private:
    explicit ColorSpace(Kind kind) : fKind(kind) {}
    ~ColorSpace() override = default;

    Kind fKind;
};

} // namespace plat
