#include "foundation/LUrl.h"

#include "foundation/UrlSegments.h"

#include <vector>

namespace {

bool IsSchemeChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '+'
        || c == '-' || c == '.';
}

// Takes everything after the first `mark` off the rest and returns it.
std::string TakeAfter(std::string_view& rest, char mark)
{
    const size_t at = rest.find(mark);
    if (at == std::string_view::npos)
        return {};
    std::string taken(rest.substr(at + 1));
    rest = rest.substr(0, at);
    return taken;
}

} // namespace

LUrl::LUrl(const char* text)
{
    if (text)
        Parse(text);
}

void LUrl::Parse(std::string_view rest)
{
    fragment = TakeAfter(rest, '#');

    size_t run = 0;
    while (run < rest.size() && IsSchemeChar(rest[run]))
        ++run;
    if (run > 0 && run < rest.size() && rest[run] == ':') {
        scheme = rest.substr(0, run);
        rest.remove_prefix(run + 1);
    } else {
        scheme.clear();
    }

    authority.clear();
    if (rest.substr(0, 2) == "//") {
        const size_t slash = rest.find('/', 2);
        const size_t end = slash == std::string_view::npos ? rest.size() : slash;
        authority = rest.substr(2, end - 2);
        rest.remove_prefix(end);
    }

    query = TakeAfter(rest, '?');
    params = TakeAfter(rest, ';');
    path = rest;
}

std::string LUrl::ToString() const
{
    std::string out;
    if (!scheme.empty())
        out += scheme + ":";
    out += "//" + authority;
    if (path.empty() || path.front() != '/')
        out += '/';
    out += path;
    if (!params.empty())
        out += ";" + params;
    if (!query.empty())
        out += "?" + query;
    if (!fragment.empty())
        out += "#" + fragment;
    return out;
}

bool LUrl::IsEmpty() const
{
    return scheme.empty() && authority.empty() && path.empty() && params.empty() && query.empty()
        && fragment.empty();
}

void LUrl::Resolve(const LUrl& base, BaseKind mode)
{
    if (base.IsEmpty())
        return;
    if (IsEmpty()) {
        *this = base;
        return;
    }
    if (!scheme.empty())
        return;
    scheme = base.scheme;
    if (!authority.empty())
        return;
    authority = base.authority;
    if (!path.empty() && path.front() == '/')
        return;
    if (path.empty()) {
        path = base.path;
        if (params.empty()) {
            params = base.params;
            if (query.empty())
                query = base.query;
        }
        return;
    }
    std::string merged = base.path;
    if (mode == BaseKind::File) {
        const size_t slash = merged.rfind('/');
        merged.resize(slash == std::string::npos ? 0 : slash + 1);
    }
    if (!merged.empty() && merged.back() != '/')
        merged += '/';
    merged += path;
    RemoveDotSegments(merged);
}

void LUrl::RemoveDotSegments(std::string_view merged)
{
    std::vector<std::string_view> kept;
    size_t start = 0;
    while (start <= merged.size()) {
        size_t end = merged.find('/', start);
        if (end == std::string_view::npos)
            end = merged.size();
        const std::string_view segment = merged.substr(start, end - start);
        if (segment == "..") {
            if (!kept.empty())
                kept.pop_back();
        } else if (!segment.empty() && segment != ".") {
            kept.push_back(segment);
        }
        start = end + 1;
    }
    std::string result = (!merged.empty() && merged.front() == '/') ? "/" : "";
    for (size_t i = 0; i < kept.size(); ++i) {
        if (i > 0)
            result += '/';
        result += kept[i];
    }
    path = std::move(result);
}

std::string LUrl::MakeRelative(std::string_view targetPath, std::string_view basePath)
{
    const std::string targetText(targetPath);
    const std::string baseText(basePath);
    const char* target = targetText.c_str();
    const char* base = baseText.c_str();
    std::string targetSegment;
    std::string baseSegment;
    for (;;) {
        targetSegment = UrlNextSegment(target);
        baseSegment = UrlNextSegment(base);
        if (targetSegment != baseSegment)
            break;
        if (targetSegment.empty())
            return {};
    }
    std::string out;
    for (bool more = !baseSegment.empty(); more; more = !UrlNextSegment(base).empty())
        out += "../";
    UrlEscapeSegmentTo(targetSegment, out);
    if (*target == '/') {
        out += '/';
        out += target + 1;
    }
    return out;
}

std::string MakeRelativeUrl(const char* target, const char* base)
{
    const LUrl targetUrl(target);
    const LUrl baseUrl(base);
    if (targetUrl.authority != baseUrl.authority)
        return "//" + targetUrl.authority + targetUrl.path;
    return LUrl::MakeRelative(targetUrl.path, baseUrl.path);
}
