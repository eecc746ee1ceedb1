#pragma once
#include "platform/values/ValueRef.h"
#include "platform/window/View.h"
#include "shell/draw/LFont.h"

#include <cstdint>

// How a native-backed control is made: kind 0 makes its own native view, kind 1 wraps the given
// one; a style word and the font the control shows its text in.
struct LCtlSpec {
    enum : uint32_t { kCreate = 0, kWrap = 1 };

    uint32_t kind = kCreate;
    uint32_t style = 0;
    plat::Ref<plat::View> view;  // kind 1 only; retained while the record holds it
    LFont font;

    void InitNew(uint32_t styleWord, const LFont& withFont)
    {
        kind = kCreate;
        style = styleWord;
        view = plat::Ref<plat::View>();
        font = withFont;
    }
    void InitWrap(plat::View* native, uint32_t styleWord, const LFont& withFont)
    {
        kind = kWrap;
        style = styleWord;
        view = plat::Ref<plat::View>(native);
        font = withFont;
    }

    // The record controls made without one of their own receive: kind 0, style 0, no view,
    // the font of kind 0. Built before start-up, released at exit.
    static const LCtlSpec& Default();
};
