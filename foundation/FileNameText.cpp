#include "foundation/FileNameText.h"

#include "foundation/LUrl.h"
#include "foundation/UrlSegments.h"

#include <cstring>

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

std::string FileExtensionLower(const char* name)
{
    if (!name)
        return {};
    const char* dot = FindExtension(name);
    std::string extension(*dot == '.' ? dot + 1 : dot);
    while (!extension.empty() && IsBlank(extension.back()))
        extension.pop_back();
    for (char& c : extension) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return extension;
}

std::string ReplaceExtension(const char* name, const char* extension)
{
    if (!name)
        name = "";
    std::string out(name, FindExtension(name));
    if (extension && *extension != '\0') {
        out += '.';
        out += extension;
    }
    return out;
}

std::string FileNameOfPath(const std::string& path)
{
    return UrlFileName(path.c_str());
}

void ReplaceFileName(std::string& path, const char* newName)
{
    if (path.empty() && (!newName || *newName == '\0'))
        return;
    LUrl relative(UrlEscapeSegment(newName ? newName : "").c_str());
    relative.Resolve(LUrl(path.c_str()), LUrl::BaseKind::File);
    path = relative.ToString();
}

void NumberedFileName(std::string& path, int32_t number)
{
    const std::string name = FileNameOfPath(path);
    const char* dot = FindExtension(name.c_str());
    const size_t at = static_cast<size_t>(dot - name.c_str());
    const std::string numbered = name.substr(0, at) + std::to_string(number) + name.substr(at);
    ReplaceFileName(path, numbered.c_str());
}
