#include "foundation/core/CStrView.h"
#include "foundation/core/StrEqual.h"

CStrView::CStrView(const LStringRef& string) noexcept
    : handle(string), text(string.Text()), length(string.Length())
{
}

void CStrView::InitCStr(const char* cstr) noexcept
{
    handle = LStringRef();
    length = SafeStrlen(cstr);
    text = length ? cstr : "";
}
