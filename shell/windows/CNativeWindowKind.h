#pragma once
#include "foundation/core/LHandleData.h"
#include "platform/values/ValueRef.h"
#include "ui/windows/LWindow.h"

#include <cstdint>

namespace plat {
class Window;
}

// Says which native window to make for an ordinary window: kinds 0..12 each have a style mask
// and a level; any other kind makes a titled, closable window at the normal level.
class CNativeWindowKind : public LHandleData {
public:
    explicit CNativeWindowKind(uint32_t kind) : fKind(kind) {}

    uint32_t Kind() const { return fKind; }
    // How windows of this kind dispose of their native window.
    virtual LWindowHook GetWindowHook() const;
    // A new hidden native window of this kind (retained for the caller), or null.
    virtual plat::Ref<plat::Window> CreateWindow() const;
    virtual int32_t Reserved() const { return 0; }

    // The style mask and level of a kind.
    // The kind of document windows.
    static constexpr int32_t kDocumentKind = 9;
    // The level of dialogs, above documents.
    static constexpr int32_t kDialogLevel = 8;

    static uint32_t StyleMaskOf(int64_t kind);
    static int32_t LevelOf(int64_t kind);

private:
    uint32_t fKind;
};
