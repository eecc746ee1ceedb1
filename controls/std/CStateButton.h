#pragma once
#include "controls/std/LStdCtl.h"
#include "ui/LImageRef.h"

namespace plat {
class Button;
}

// A small square push button (a title or an image) that the framework tracks itself: it
// reports "CStateButton_Push" and "CStateButton_Unpush" as the held mouse enters and leaves it,
// "LStdCtl_Selected" on a release inside, and "CStateButton_DblClk" on a double click.
class CStateButton : public LStdCtl {
public:
    static const char* msgPush;
    static const char* msgUnpush;
    static const char* msgDblClk;
    // Option bit: the mini size.
    enum : uint32_t { kMini = 0x2 };
    // State bits: pushed; the caller's mask bit asking for push and unpush messages.
    enum : uint32_t { kPushed = 0x2, kReport = 0x4 };

    CStateButton(LPane* parent, const LStdCtlDesc& desc, uint32_t options);
    ~CStateButton() override;

    void SetImage(const LImageRef& image);
    const LImageRef& Image() const { return fImage; }
    void SetOn(int32_t n);
    void SetStateBits(uint32_t value, uint32_t mask);
    uint32_t StateBits() const { return fStateBits; }
    bool IsMini() const { return fMini; }

    void HandleMessage(LMessage& result, const LMessage& msg) override;
    int32_t PrefWidth(LPaneContext* context, int32_t hint) override;
    int32_t PrefHeight(LPaneContext* context, int32_t hint) override;
    void ForwardMouseDown(LMessage& result, const CLPoint& point) override;

private:
    plat::Button* NativeButton() const;
    void InvalidateIfOffscreen();
    // The image's size (width, height), 0 x 0 for the empty image.
    CLPoint ImageSize() const;

    LImageRef fImage;
    bool fMini;
    uint32_t fStateBits = 0;
    uint32_t fClickCookie;
};
