#pragma once
#include "controls/CColor.h"
#include "foundation/core/LHandler.h"
#include "foundation/core/LStringRef.h"
#include "foundation/geometry/CLRect.h"
#include "platform/values/ValueRef.h"
#include "shell/draw/LFont.h"
#include "ui/draw/LBrush.h"

#include <cstdint>
#include <functional>

class LPane;
class LPortState;
namespace plat {
class TextFieldView;
}

// The native editor an edit text opens while it has the keyboard focus: a borderless text
// field placed over the edit text's text rectangle. It reports changes ("CEditText_Change") and
// scrolling ("CEditText_Scroll") to its owner, filters inserted text through the owner's input
// filter and lets the framework see command keys before the field acts on them.
class CMacEditText : public LHandler {
public:
    static const char* msgChange;
    static const char* msgScroll;

    // The filter of text about to be inserted: (owner, flag, text in and out) -> go on.
    using InputFilter = std::function<bool(LPane* owner, int32_t flag, LStringRef& text)>;

    CMacEditText(LPane* owner, const CLRect& inner, const CLRect& textRect, InputFilter filter, uint32_t mode,
                 const LFont& font, bool secret, bool readOnly, bool richText);
    ~CMacEditText() override;

    // Offered every message of the owner first; answers whether it consumed it.
    bool HandleCommand(const LMessage& msg);
    bool HasSelection() const;
    bool IsAllSelected() const;
    void SelectAll();
    void SetSelection(uint32_t start, uint32_t length);
    std::pair<uint32_t, uint32_t> GetSelection() const;
    void EndCompletion();
    LStringRef GetText();
    void SetText(const LStringRef& text);
    void SetActive(bool active);
    void SetPlace(LPortState* port, const CLRect& inner, const CLRect& textRect);
    void ForwardClick(const CLPoint& point);
    CLPoint GetScroll();
    void SetScroll(int32_t x, int32_t y);
    void Draw() const {}
    void SetBackgroundColor(const CColor* color);
    void SetTextColor(const LBrush* brush);

    const CLRect& InnerRect() const { return fInner; }
    const CLRect& TextRect() const { return fTextRect; }
    bool Changed() const { return fChanged; }
    plat::TextFieldView* Field() const { return fField.Get(); }

private:
    // Places the field over the text rectangle of the owner in the window.
    void PlaceField();
    bool FilterInsertion(const std::string& replacement);
    // A command key: the window's view turns it into framework key messages first.
    bool OfferCommandKey();

    LPane* fOwner;
    CLRect fInner;
    CLRect fTextRect;
    InputFilter fFilter;
    LFont fFont;
    CLPoint fScroll;
    bool fChanged = false;
    plat::Ref<plat::TextFieldView> fField;
    uint32_t fMode;
    bool fCompletionOff = false;
};
