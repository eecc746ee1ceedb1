#include "foundation/text/LUrl.h"

#include "foundation/core/LStrStream.h"
#include "foundation/text/UrlSegments.h"

#include <vector>

namespace {

bool IsSchemeChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '+'
        || c == '-' || c == '.';
}

// Takes everything after the first `mark` off the rest and returns it.
LStringRef TakeAfter(std::string_view& rest, char mark)
{
    const size_t at = rest.find(mark);
    if (at == std::string_view::npos)
        return LStringRef();
    LStringRef taken(rest.substr(at + 1));
    rest = rest.substr(0, at);
    return taken;
}

// The non-empty segments of a merged path with "." removed and each ".." taking the segment
// before it along; a leading "/" is kept.
LStringRef WithoutDotSegments(std::string_view merged)
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
    LStrStream out;
    if (!merged.empty() && merged.front() == '/')
        out.PutChar('/');
    for (size_t i = 0; i < kept.size(); ++i) {
        if (i > 0)
            out.PutChar('/');
        out.Write(kept[i]);
    }
    return LStringRef(out.View());
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
    scheme = LStringRef();
    if (run > 0 && run < rest.size() && rest[run] == ':') {
        scheme = LStringRef(rest.substr(0, run));
        rest.remove_prefix(run + 1);
    }

    authority = LStringRef();
    if (rest.substr(0, 2) == "//") {
        const size_t slash = rest.find('/', 2);
        const size_t end = slash == std::string_view::npos ? rest.size() : slash;
        authority = LStringRef(rest.substr(2, end - 2));
        rest.remove_prefix(end);
    }

    query = TakeAfter(rest, '?');
    params = TakeAfter(rest, ';');
    path = LStringRef(rest);
}

LStringRef LUrl::ToString() const
{
    LStrStream out;
    if (!scheme.IsEmpty())
        out << scheme.View() << ':';
    out << "//" << authority.View();
    if (path.IsEmpty() || path.View().front() != '/')
        out << '/';
    out << path.View();
    if (!params.IsEmpty())
        out << ';' << params.View();
    if (!query.IsEmpty())
        out << '?' << query.View();
    if (!fragment.IsEmpty())
        out << '#' << fragment.View();
    return LStringRef(out.View());
}

bool LUrl::IsEmpty() const
{
    return scheme.IsEmpty() && authority.IsEmpty() && path.IsEmpty() && params.IsEmpty() && query.IsEmpty()
        && fragment.IsEmpty();
}

void LUrl::Resolve(const LUrl& base, BaseKind mode)
{
    if (base.IsEmpty())
        return;
    if (IsEmpty()) {
        *this = base;
        return;
    }
    if (!scheme.IsEmpty())
        return;
    scheme = base.scheme;
    if (!authority.IsEmpty())
        return;
    authority = base.authority;
    if (!path.IsEmpty() && path.View().front() == '/')
        return;
    if (path.IsEmpty()) {
        path = base.path;
        if (params.IsEmpty()) {
            params = base.params;
            if (query.IsEmpty())
                query = base.query;
        }
        return;
    }
    MergePaths(base, mode);
}

void LUrl::MergePaths(const LUrl& base, BaseKind mode)
{
    std::string_view basePath = base.path.View();
    if (mode == BaseKind::File) {
        const size_t slash = basePath.rfind('/');
        basePath = basePath.substr(0, slash == std::string_view::npos ? 0 : slash + 1);
    }
    LStrStream merged;
    merged << basePath;
    if (!basePath.empty() && basePath.back() != '/')
        merged << '/';
    merged << path.View();
    path = WithoutDotSegments(merged.View());
}

LStringRef LUrl::MakeRelative(const char* targetPath, const char* basePath)
{
    const char* target = targetPath ? targetPath : "";
    const char* base = basePath ? basePath : "";
    LStringRef targetSegment;
    LStringRef baseSegment;
    for (;;) {
        targetSegment = UrlNextSegment(target);
        baseSegment = UrlNextSegment(base);
        if (!(targetSegment == baseSegment))
            break;
        if (targetSegment.IsEmpty())
            return LStringRef();
    }
    LStrStream out;
    for (bool more = !baseSegment.IsEmpty(); more; more = !UrlNextSegment(base).IsEmpty())
        out << "../";
    UrlEscapeSegmentTo(targetSegment.View(), out);
    if (*target == '/')
        out << '/' << std::string_view(target + 1);
    return LStringRef(out.View());
}

LStringRef MakeRelativeUrl(const char* target, const char* base)
{
    const LUrl targetUrl(target);
    const LUrl baseUrl(base);
    if (targetUrl.authority.View() != baseUrl.authority.View()) {
        LStrStream out;
        out << "//" << targetUrl.authority.View() << targetUrl.path.View();
        return LStringRef(out.View());
    }
    return LUrl::MakeRelative(targetUrl.path.Text(), baseUrl.path.Text());
}
