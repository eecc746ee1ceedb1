#include "foundation/text/CBytePattern.h"

#include <gtest/gtest.h>

namespace {

// Feeds a text and returns the index of the byte on which the match was first reported, or -1.
int FirstMatch(CBytePattern& pattern, std::string_view text)
{
    for (size_t i = 0; i < text.size(); ++i) {
        if (pattern.Feed(text[i]))
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace

TEST(CBytePattern, FailureLinkKeepsPartialMatch)
{
    CBytePattern end(LStringRef("]]>"));
    EXPECT_EQ(FirstMatch(end, "x]]]>"), 4);
    EXPECT_TRUE(end.Feed('a')); // a completed match stays reported
    EXPECT_TRUE(end.Feed(']'));
    end.Reset();
    EXPECT_FALSE(end.Feed('>'));
}

TEST(CBytePattern, MatchesAgainstBruteForceEmptyHighBytesAndNulIncluded)
{
    const std::string patterns[] = {"abab", "aab", "aaaa", "abcabd", "a"};
    const std::string texts[] = {"abaabab", "aaab", "aaabaaaa", "abcabcabd", "b", "", "ababab"};
    for (const std::string& p : patterns) {
        for (const std::string& t : texts) {
            CBytePattern pattern(LStringRef(p.c_str()));
            const size_t found = t.find(p);
            const int expected = found == std::string::npos ? -1 : static_cast<int>(found + p.size() - 1);
            EXPECT_EQ(FirstMatch(pattern, t), expected) << p << " in " << t;
        }
    }

    CBytePattern empty{LStringRef()};
    EXPECT_TRUE(empty.Feed('x'));

    CBytePattern pattern(LStringRef("\xFF\0\xFF", 3));
    EXPECT_EQ(FirstMatch(pattern, std::string_view("\xFF\xFF\0\xFF", 4)), 3);
}
