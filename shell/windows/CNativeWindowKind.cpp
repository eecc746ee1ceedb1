#include "shell/windows/CNativeWindowKind.h"
#include "platform/window/Window.h"
#include "shell/windows/NativeWindow.h"

namespace {

struct KindEntry {
    uint32_t styleMask;
    int32_t level;
};

// Titled 1, closable 2, miniaturizable 4, resizable 8; level 8 keeps dialogs above documents.
constexpr KindEntry kKinds[] = {
    {1, 8}, {9, 8}, {1, 8}, {7, 0}, {5, 0}, {0, 0}, {15, 0}, {13, 0}, {3, 0}, {15, 0}, {0, 0}, {1, 8}, {0, 0},
};
constexpr KindEntry kOtherKind{3, 0};

const KindEntry& EntryOf(int64_t kind)
{
    return (kind >= 0 && kind < int64_t(std::size(kKinds))) ? kKinds[kind] : kOtherKind;
}

void ReleaseNative(plat::Window* native)
{
    if (native)
        native->Release();
}

} // namespace

LWindowHook CNativeWindowKind::GetWindowHook() const
{
    return ReleaseNative;
}

uint32_t CNativeWindowKind::StyleMaskOf(int64_t kind)
{
    return EntryOf(kind).styleMask;
}

int32_t CNativeWindowKind::LevelOf(int64_t kind)
{
    return EntryOf(kind).level;
}

plat::Ref<plat::Window> CNativeWindowKind::CreateWindow() const
{
    const auto kind = static_cast<int32_t>(fKind); // kinds are stored unsigned; -1 is "any other"
    plat::Ref<plat::Window> window = NativeWindow::Create(StyleMaskOf(kind), LevelOf(kind));
    // Document windows carry the main menu as a bar across their top.
    if (kind == kDocumentKind)
        window->SetShowsMenuBar(true);
    return window;
}
