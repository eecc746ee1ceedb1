#pragma once
#include "controls/CColor.h"
#include "ui/panes/LCaptionPane.h"

#include <cstdint>

// A framed one-line text that can take the focus and is edited only through the clipboard
// commands (and Backspace): settings dialogs show values in it. Reports "CTextSlot_Click" on
// a click and "CTextSlot_Changed" after a paste, cut, delete or Backspace.
class CTextSlot : public LCaptionPane {
public:
    static const char* msgClick;
    static const char* msgChanged;
    enum : uint8_t {
        kEditable = 0x1,   // paste and cut allowed
        kClearable = 0x2,  // delete and Backspace allowed
        kPlain = 0x4,      // no bevel and no frame ring
    };

    CTextSlot(LHandler* parent, LPane* host, uint8_t slotFlags);
    ~CTextSlot() override;

    uint8_t SlotFlags() const { return fSlotFlags; }
    const CColorRef& Background() const { return fBackground; }
    void SetBackground(const CColorRef& colour);

    void HandleMessage(LMessage& result, const LMessage& msg) override;
    void StateChanged(int32_t event) override;
    bool Overlaps(const LRegion& region) const override;
    void DrawSelf(LPortState& port) const override;

private:
    bool IsEditable() const { return fSlotFlags & kEditable; }
    bool IsClearable() const { return fSlotFlags & (kEditable | kClearable); }
    bool IsPlain() const { return fSlotFlags & kPlain; }
    bool HandleMenus(LMessage& result, const LMessage& msg);
    void Copy() const;
    void Paste();
    void Clear();
    void InvalidateRing(bool throughHost);
    void Redraw();

    CColorRef fBackground;
    uint8_t fSlotFlags;
};
