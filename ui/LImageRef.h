#pragma once
#include "foundation/core/LRef.h"
#include "ui/LImage.h"

// A handle to an image that is never null: the shared null image stands in for a missing or
// invalid one.
class LImageRef : public LTypedRef<LImage> {
public:
    LImageRef() noexcept : LTypedRef<LImage>(LNullImage::Instance()) {}
    // Holds `image`; a null image or one that is not valid gives the shared null image (and an
    // invalid image nothing else holds is freed).
    LImageRef(LImage* image) noexcept { Assign(image); }
    LImageRef(const LImageRef& other) noexcept = default;
    LImageRef& operator=(const LImageRef& other) noexcept = default;

    void Assign(LImage* image) noexcept
    {
        LTypedRef<LImage>::Assign(image);
        if (!image || !image->IsValid())
            LTypedRef<LImage>::Assign(LNullImage::Instance());
    }
    bool IsNull() const noexcept { return Get() == LNullImage::Instance(); }
};
