#pragma once
#include "shell/windows/CNativeWindowKind.h"

// Says which floating panel to make: panel kinds 1..6 each have a utility style mask; flag
// bit 0 keeps the panel visible while the application is inactive (otherwise it becomes key
// only when needed), bit 1 raises it to the floating level, and kind 6 ignores the mouse.
class CPanelWindowKind : public CNativeWindowKind {
public:
    static constexpr uint32_t kFlagStaysVisible = 1u << 0;
    static constexpr uint32_t kFlagFloatingLevel = 1u << 1;

    CPanelWindowKind(uint32_t panelKind, uint32_t panelFlags)
        : CNativeWindowKind(0), fPanelKind(panelKind), fPanelFlags(panelFlags)
    {
    }

    uint32_t PanelKind() const { return fPanelKind; }
    uint32_t PanelFlags() const { return fPanelFlags; }
    plat::Ref<plat::Window> CreateWindow() const override;
    static uint32_t StyleMaskOfPanel(uint32_t panelKind);

private:
    uint32_t fPanelKind;
    uint32_t fPanelFlags;
};
