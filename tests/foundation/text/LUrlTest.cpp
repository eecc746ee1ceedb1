#include "foundation/text/LUrl.h"

#include "foundation/core/LStrStream.h"
#include "foundation/text/UrlSegments.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

std::string Resolved(const char* relative, const char* base, LUrl::BaseKind mode)
{
    LUrl url(relative);
    url.Resolve(LUrl(base), mode);
    return std::string(url.ToString().View());
}

} // namespace

TEST(LUrl, ParsesAllSixPartsSchemesOnlyOfSchemeCharactersAndEmptyTexts)
{
    // A scheme is made of scheme characters only.
    const auto parts = [](const char* text) {
        const LUrl url(text);
        return std::string(url.scheme.View()) + "|" + std::string(url.authority.View()) + "|" +
               std::string(url.path.View()) + "|" + std::string(url.params.View()) + "|" +
               std::string(url.query.View()) + "|" + std::string(url.fragment.View());
    };
    EXPECT_EQ(parts("http://host:80/a/b;p?q=1#frag"), "http|host:80|/a/b|p|q=1|frag");
    EXPECT_EQ(LUrl("http://host:80/a/b;p?q=1#frag").ToString().View(), "http://host:80/a/b;p?q=1#frag");
    EXPECT_EQ(parts("a/b:c"), "||a/b:c|||");
    EXPECT_EQ(parts(":x").substr(0, 1), "|");
    EXPECT_EQ(parts("x+y-z.1:rest"), "x+y-z.1||rest|||");
    EXPECT_EQ(parts("a?b:c").substr(0, 1), "|");

    EXPECT_TRUE(LUrl(nullptr).IsEmpty());
    EXPECT_TRUE(LUrl("").IsEmpty());
    EXPECT_FALSE(LUrl("#f").IsEmpty());
    EXPECT_EQ(LUrl("").ToString().View(), "///");

    EXPECT_EQ(LUrl("file:///Root/a%20b").ToString().View(), "file:///Root/a%20b");
    EXPECT_EQ(LUrl("rel/x").ToString().View(), "///rel/x");
    EXPECT_EQ(LUrl("//host").ToString().View(), "//host/");
    EXPECT_EQ(LUrl("//host").path.View(), "");
}

TEST(LUrl, ResolveMergesAsFolderOrFileKeepsAbsolutePartsInheritsEmptyOnesAndKeepsEscapedDots)
{
    constexpr auto kFolder = LUrl::BaseKind::Folder, kFile = LUrl::BaseKind::File;
    const std::tuple<const char*, const char*, LUrl::BaseKind, const char*> cases[] = {
        {"a/../b./c", "/x/y", kFolder, "///x/y/b./c"}, {"a/../b./c", "/x/y", kFile, "///x/b./c"},
        {"c", "file:///Root/a/b.txt", kFile, "file:///Root/a/c"}, {"c", "file:///Root/a/", kFolder, "file:///Root/a/c"},
        {"../../../../z", "file:///a/b/", kFolder, "file:///z"}, {"./x//y/./", "/p", kFolder, "///p/x/y"},
        {"c", "b", kFile, "///c"}, {"ftp:x", "http://h/a", kFile, "ftp:///x"},
        {"//other/p", "http://h/a", kFile, "http://other/p"}, {"/abs/../x", "http://h/a/b", kFile, "http://h/abs/../x"},
        {"#f", "http://h/a;p?q#g", kFile, "http://h/a;p?q#f"}, {"?z", "http://h/a;p?q", kFile, "http://h/a;p?z"},
        {";n", "http://h/a;p?q", kFile, "http://h/a;n"}, {"", "http://h/a;p?q#g", kFile, "http://h/a;p?q#g"},
        {"x/y", "", kFile, "///x/y"}};
    for (const auto& [relative, base, kind, resolved] : cases)
        EXPECT_EQ(Resolved(relative, base, kind), resolved) << relative << " on " << base;

    const std::string escaped(UrlEscapeSegment("..").View());
    EXPECT_EQ(escaped, "%2E%2E");
    EXPECT_EQ(UrlEscapeSegment(".").View(), "%2E");
    const std::string relative = escaped + "/" + std::string(UrlEscapeSegment(".").View());
    EXPECT_EQ(Resolved(relative.c_str(), "file:///R/a/", LUrl::BaseKind::Folder), "file:///R/a/%2E%2E/%2E");

    const char* cursor = "/R/%2E%2E//x";
    for (const char* segment : {"R", "..", "x", ""})
        EXPECT_EQ(UrlNextSegment(cursor).View(), segment);
    EXPECT_EQ(*cursor, '\0');
}

TEST(LUrl, MakeRelativeWalksFromBaseFolderAndAcrossAuthorities)
{
    const std::tuple<const char*, const char*, const char*> cases[] = {{"/a/c/d", "/a/b", "../c/d"}, {"/a/b", "/a/b", ""},
        {"/a", "/a/b/c", "../../"}, {"/a/b/c", "/a", "b/c"}, {"/x y/%41", "/z", "../x%20y/%41"}, {"/a/c/", "/a/b", "../c/"},
        {"/%2E%2E", "/", "%2E%2E"}};
    for (const auto& [path, base, relative] : cases)
        EXPECT_EQ(LUrl::MakeRelative(path, base).View(), relative) << path << " from " << base;

    EXPECT_EQ(MakeRelativeUrl("file://vol/a/b", "file://other/a").View(), "//vol/a/b");
    EXPECT_EQ(MakeRelativeUrl("file:///R/a/c/d", "file:///R/a/b").View(), "../c/d");
    EXPECT_EQ(MakeRelativeUrl("file:///R/a", "file:///R/a").View(), "");
}

TEST(UrlSegments, EscapeDecodeAppendAndSplitSegments)
{
    EXPECT_EQ(UrlEscapeSegment("az AZ09!$'()*+,-._"), "az%20AZ09!$'()*+,-._");
    EXPECT_EQ(UrlEscapeSegment("/:;?#%\"~\x7F").View(), "%2F%3A%3B%3F%23%25%22%7E%7F");
    EXPECT_EQ(UrlEscapeSegment("caf\xC3\xA9").View(), "caf%C3%A9");
    EXPECT_EQ(UrlEscapeSegment("").View(), "");
    EXPECT_EQ(UrlEscapeSegment("...").View(), "...");

    const char* text = "%4a%4G%%4";
    std::string decoded;
    while (*text)
        decoded += UrlDecodeChar(text);
    EXPECT_EQ(decoded, "J%4G%%4");
    const char* cut = "%";
    EXPECT_EQ(UrlDecodeChar(cut), '%');
    EXPECT_EQ(*cut, '\0');

    LStrStream out;
    UrlAppendSegment(out, "a b");
    UrlAppendSegment(out, "");
    UrlAppendSegment(out, "..");
    EXPECT_EQ(out.View(), "/a%20b/%2E%2E");
    out.Clear();
    out.Write("/x/");
    UrlAppendSegment(out, "y");
    EXPECT_EQ(out.View(), "/x/y");

    LStringRef last;
    for (const auto& [path, folder, name] : {std::tuple("/a/b%20c/", "/a/", "b c"), {"name", "", "name"}, {"/", "/", ""}}) {
        EXPECT_EQ(UrlSplitLastSegment(path, last).View(), folder) << path;
        EXPECT_EQ(last.View(), name) << path;
    }
    EXPECT_EQ(UrlFileName("file:///R/dir/f%C3%A9.txt?q#x").View(), "f\xC3\xA9.txt");
}
