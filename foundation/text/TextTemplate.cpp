#include "foundation/text/TextTemplate.h"

#include "foundation/core/LArray.h"
#include "foundation/text/LMemInStream.h"
#include "foundation/core/LStrStream.h"
#include "foundation/core/StrEqual.h"
#include "foundation/text/TextTokens.h"

LStringRef FormatTemplate(const char* templateText, const char* const* arguments, uint32_t count)
{
    if (!templateText)
        return LStringRef();
    LStrStream out;
    for (const char* p = templateText; *p != '\0'; ++p) {
        if (*p != '%') {
            out.PutChar(*p);
            continue;
        }
        const char next = *++p;
        if (next == '\0')
            break; // a lone '%' at the end is dropped
        if (next == '%') {
            out.PutChar('%');
            continue;
        }
        const auto index = static_cast<uint32_t>(static_cast<unsigned char>(next) - '0');
        if (index < count && arguments && arguments[index])
            out.Write(arguments[index], SafeStrlen(arguments[index]));
    }
    return LStringRef(out.View());
}

LStringRef FormatArgs(const char* templateText, const LArray& arguments)
{
    if (arguments.ElementSize() != sizeof(const char*))
        return FormatTemplate(templateText, nullptr, 0);
    return FormatTemplate(templateText, arguments.Items<const char*>(), arguments.Count());
}

void JoinLines(const char* text, LStrStream& out, const char* separator)
{
    LMemInStream in(text, SafeStrlen(text));
    const uint32_t separatorLength = SafeStrlen(separator);
    for (;;) {
        ReadToLineEnd(in, out);
        if (!SkipLineEnd(in))
            return;
        out.Write(separator, separatorLength);
    }
}

LStringRef NormalizeLineEnds(const LStringRef& text)
{
    LStrStream out;
    JoinLines(text.Text(), out, "\n");
    if (out.View() == text.View())
        return text;
    return LStringRef(out.View());
}
