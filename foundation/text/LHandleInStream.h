#pragma once
#include "foundation/text/LMemInStream.h"
#include "foundation/core/LStringRef.h"

// A memory character source over the text of a string, which it holds for its lifetime.
class LHandleInStream : public LMemInStream {
public:
    explicit LHandleInStream(const LStringRef& text) : fText(text) { Init(fText.Text(), fText.Length()); }

private:
    LStringRef fText;
};
