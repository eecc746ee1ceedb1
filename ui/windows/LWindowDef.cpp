#include "ui/windows/LWindowDef.h"
#include "shell/windows/CNativeWindowKind.h"
#include "platform/window/Window.h"

LWindowDef::LWindowDef(uint32_t layer, const CNativeWindowKind* kind) : layer(layer), kind(kind) {}

const LWindowDef& LWindowDef::Default()
{
    static const LWindowDef def;
    return def;
}

const CNativeWindowKind* LWindowDef::Kind() const
{
    return static_cast<const CNativeWindowKind*>(kind.Get());
}

plat::Ref<plat::Window> LWindowDef::CreateNativeWindow() const
{
    const CNativeWindowKind* windowKind = Kind();
    plat::Ref<plat::Window> window = windowKind ? windowKind->CreateWindow() : plat::Ref<plat::Window>();
    // A modal dialog is the window the person must answer: it stays above every other window,
    // the dialog it was asked from included, whatever level its kind gives.
    if (window && layer == kLayerModal && window->Level() < CNativeWindowKind::kDialogLevel)
        window->SetLevel(CNativeWindowKind::kDialogLevel);
    return window;
}
