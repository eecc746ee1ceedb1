#pragma once
#include "foundation/core/LRef.h"
#include "platform/values/ValueRef.h"

#include <cstdint>

class CNativeWindowKind;
namespace plat {
class Window;
}

// An object a window definition hands to its window to own.
class LWindowAttachment {
public:
    virtual ~LWindowAttachment() = default;
};

// What kind of window a frame or dialog gets: its layer (1 document or ordinary, 2 floating:
// shown without taking key status first, 3 modal dialog), the native window kind (none: the
// frame is nested in a host and has no window of its own) and an attachment for the window.
struct LWindowDef {
    static constexpr uint32_t kLayerDocument = 1;
    static constexpr uint32_t kLayerFloating = 2;
    static constexpr uint32_t kLayerModal = 3;

    uint32_t layer = kLayerDocument;
    LRef kind; // a CNativeWindowKind, or null
    LWindowAttachment* attachment = nullptr;

    LWindowDef() = default;
    LWindowDef(uint32_t layer, const CNativeWindowKind* kind);

    // The definition of nested frames: layer 1, no kind, no attachment.
    static const LWindowDef& Default();

    const CNativeWindowKind* Kind() const;
    // Has the kind make the native window; null without a kind.
    plat::Ref<plat::Window> CreateNativeWindow() const;
};
