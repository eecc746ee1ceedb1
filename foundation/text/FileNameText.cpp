#include "foundation/text/FileNameText.h"

#include "foundation/core/LStrStream.h"
#include "foundation/text/LUrl.h"
#include "foundation/text/NumberFormat.h"
#include "foundation/text/UrlSegments.h"

#include <cstring>
#include <string_view>

namespace {

bool IsSeparator(char c)
{
    return c == ':' || c == '\\';
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

const char* EndOf(const char* text)
{
    return text + std::strlen(text);
}

} // namespace

const char* UTF8Next(const char* text)
{
    if (!text || *text == '\0')
        return text;
    ++text;
    while ((static_cast<unsigned char>(*text) & 0xC0) == 0x80)
        ++text;
    return text;
}

const char* SkipPathSeparator(const char* text)
{
    if (!text)
        return text;
    const char* p = text;
    while (*p != '\0' && !IsSeparator(*p))
        p = UTF8Next(p);
    while (IsSeparator(*p))
        ++p;
    return p;
}

const char* LastPathComponent(const char* text)
{
    if (!text)
        return text;
    const char* start = text;
    for (const char* p = text; *p != '\0'; p = UTF8Next(p)) {
        if (IsSeparator(*p))
            start = p + 1;
    }
    return start;
}

const char* FindExtension(const char* text)
{
    if (!text)
        return text;
    const char* dot = nullptr;
    bool blankSeen = false;
    for (const char* p = LastPathComponent(text); *p != '\0'; p = UTF8Next(p)) {
        if (*p == '.') {
            dot = p;
            blankSeen = false;
        } else if (IsBlank(*p)) {
            blankSeen = dot != nullptr;
        } else if (blankSeen) {
            dot = nullptr; // a word after a blank: the '.' was part of the name
            blankSeen = false;
        }
    }
    return dot ? dot : EndOf(text);
}

LStringRef FileExtensionLower(const char* name)
{
    if (!name)
        return LStringRef();
    const char* dot = FindExtension(name);
    std::string_view extension(*dot == '.' ? dot + 1 : dot);
    while (!extension.empty() && IsBlank(extension.back()))
        extension.remove_suffix(1);
    LStrStream out;
    for (const char c : extension)
        out.PutChar((c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c);
    return LStringRef(out.View());
}

LStringRef ReplaceExtension(const char* name, const char* extension)
{
    if (!name)
        name = "";
    LStrStream out;
    out << std::string_view(name, static_cast<size_t>(FindExtension(name) - name));
    if (extension && *extension != '\0')
        out << '.' << extension;
    return LStringRef(out.View());
}

LStringRef FileNameOfPath(const LStringRef& path)
{
    return UrlFileName(path.Text());
}

void ReplaceFileName(LStringRef& path, const char* newName)
{
    if (path.IsEmpty() && (!newName || *newName == '\0'))
        return;
    LUrl relative(UrlEscapeSegment(newName ? newName : "").Text());
    relative.Resolve(LUrl(path.Text()), LUrl::BaseKind::File);
    path = relative.ToString();
}

void NumberedFileName(LStringRef& path, int32_t number)
{
    const LStringRef name = FileNameOfPath(path);
    const size_t at = static_cast<size_t>(FindExtension(name.Text()) - name.Text());
    LStrStream numbered;
    numbered << name.View().substr(0, at);
    WriteLong(number, numbered);
    numbered << name.View().substr(at);
    ReplaceFileName(path, numbered.CStr());
}
