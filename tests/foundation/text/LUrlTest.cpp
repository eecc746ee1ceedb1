#include "foundation/text/LUrl.h"

#include "foundation/core/LStrStream.h"
#include "foundation/text/UrlSegments.h"

#include <gtest/gtest.h>

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
    const LUrl url("http://host:80/a/b;p?q=1#frag");
    EXPECT_EQ(url.scheme.View(), "http");
    EXPECT_EQ(url.authority.View(), "host:80");
    EXPECT_EQ(url.path.View(), "/a/b");
    EXPECT_EQ(url.params.View(), "p");
    EXPECT_EQ(url.query.View(), "q=1");
    EXPECT_EQ(url.fragment.View(), "frag");
    EXPECT_EQ(url.ToString().View(), "http://host:80/a/b;p?q=1#frag");

    EXPECT_EQ(LUrl("a/b:c").scheme.View(), "");
    EXPECT_EQ(LUrl("a/b:c").path.View(), "a/b:c");
    EXPECT_EQ(LUrl(":x").scheme.View(), "");
    EXPECT_EQ(LUrl("x+y-z.1:rest").scheme.View(), "x+y-z.1");
    EXPECT_EQ(LUrl("x+y-z.1:rest").path.View(), "rest");
    EXPECT_EQ(LUrl("a?b:c").scheme.View(), "");

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
    EXPECT_EQ(Resolved("a/../b./c", "/x/y", LUrl::BaseKind::Folder), "///x/y/b./c");
    EXPECT_EQ(Resolved("a/../b./c", "/x/y", LUrl::BaseKind::File), "///x/b./c");
    EXPECT_EQ(Resolved("c", "file:///Root/a/b.txt", LUrl::BaseKind::File), "file:///Root/a/c");
    EXPECT_EQ(Resolved("c", "file:///Root/a/", LUrl::BaseKind::Folder), "file:///Root/a/c");
    EXPECT_EQ(Resolved("../../../../z", "file:///a/b/", LUrl::BaseKind::Folder), "file:///z");
    EXPECT_EQ(Resolved("./x//y/./", "/p", LUrl::BaseKind::Folder), "///p/x/y");
    EXPECT_EQ(Resolved("c", "b", LUrl::BaseKind::File), "///c");

    EXPECT_EQ(Resolved("ftp:x", "http://h/a", LUrl::BaseKind::File), "ftp:///x");
    EXPECT_EQ(Resolved("//other/p", "http://h/a", LUrl::BaseKind::File), "http://other/p");
    EXPECT_EQ(Resolved("/abs/../x", "http://h/a/b", LUrl::BaseKind::File), "http://h/abs/../x");
    EXPECT_EQ(Resolved("#f", "http://h/a;p?q#g", LUrl::BaseKind::File), "http://h/a;p?q#f");
    EXPECT_EQ(Resolved("?z", "http://h/a;p?q", LUrl::BaseKind::File), "http://h/a;p?z");
    EXPECT_EQ(Resolved(";n", "http://h/a;p?q", LUrl::BaseKind::File), "http://h/a;n");
    EXPECT_EQ(Resolved("", "http://h/a;p?q#g", LUrl::BaseKind::File), "http://h/a;p?q#g");
    EXPECT_EQ(Resolved("x/y", "", LUrl::BaseKind::File), "///x/y");

    const std::string escaped(UrlEscapeSegment("..").View());
    EXPECT_EQ(escaped, "%2E%2E");
    EXPECT_EQ(UrlEscapeSegment(".").View(), "%2E");
    const std::string relative = escaped + "/" + std::string(UrlEscapeSegment(".").View());
    EXPECT_EQ(Resolved(relative.c_str(), "file:///R/a/", LUrl::BaseKind::Folder), "file:///R/a/%2E%2E/%2E");

    const char* cursor = "/R/%2E%2E//x";
    EXPECT_EQ(UrlNextSegment(cursor).View(), "R");
    EXPECT_EQ(UrlNextSegment(cursor).View(), "..");
    EXPECT_EQ(UrlNextSegment(cursor).View(), "x");
    EXPECT_EQ(UrlNextSegment(cursor).View(), "");
    EXPECT_EQ(*cursor, '\0');
}

TEST(LUrl, MakeRelativeWalksFromBaseFolderAndAcrossAuthorities)
{
    EXPECT_EQ(LUrl::MakeRelative("/a/c/d", "/a/b").View(), "../c/d");
    EXPECT_EQ(LUrl::MakeRelative("/a/b", "/a/b").View(), "");
    EXPECT_EQ(LUrl::MakeRelative("/a", "/a/b/c").View(), "../../");
    EXPECT_EQ(LUrl::MakeRelative("/a/b/c", "/a").View(), "b/c");
    EXPECT_EQ(LUrl::MakeRelative("/x y/%41", "/z").View(), "../x%20y/%41");
    EXPECT_EQ(LUrl::MakeRelative("/a/c/", "/a/b").View(), "../c/");
    EXPECT_EQ(LUrl::MakeRelative("/%2E%2E", "/").View(), "%2E%2E");

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
    EXPECT_EQ(UrlDecodeChar(text), 'J');
    EXPECT_EQ(UrlDecodeChar(text), '%');
    EXPECT_EQ(UrlDecodeChar(text), '4');
    EXPECT_EQ(UrlDecodeChar(text), 'G');
    EXPECT_EQ(UrlDecodeChar(text), '%');
    EXPECT_EQ(UrlDecodeChar(text), '%');
    EXPECT_EQ(UrlDecodeChar(text), '4');
    EXPECT_EQ(*text, '\0');
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
    EXPECT_EQ(UrlSplitLastSegment("/a/b%20c/", last).View(), "/a/");
    EXPECT_EQ(last.View(), "b c");
    EXPECT_EQ(UrlSplitLastSegment("name", last).View(), "");
    EXPECT_EQ(last.View(), "name");
    EXPECT_EQ(UrlSplitLastSegment("/", last).View(), "/");
    EXPECT_EQ(last.View(), "");
    EXPECT_EQ(UrlFileName("file:///R/dir/f%C3%A9.txt?q#x").View(), "f\xC3\xA9.txt");
}
