#include "sources/text/CTextProtocol.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

std::vector<uint32_t> FeedAll(CTextProtocol& protocol, std::string_view bytes)
{
    std::vector<uint32_t> results;
    for (const char c : bytes)
        results.push_back(protocol.Feed(uint8_t(c)));
    return results;
}

// Every kind of line with every kind of line end, a capped argument included.
std::string MixedStream()
{
    return "dn telk\rfr 0.5\nsr 120\r\n3ff 200\r12 zz 34\n\rtx  two words\r\nab cd ef\n"
           "ov 3\r1 2 3 4 5 6 7 8 9\r\n\r\nbl 3f\rtx " +
           std::string(5000, 'x') + "\n" + std::string(4200, '7') + "\rfffff1\n";
}

} // namespace

TEST(CTextProtocol, SavedStateGoesOnExactlyFromEveryByteOffset)
{
    const std::string stream = MixedStream();
    CTextProtocol whole;
    const std::vector<uint32_t> expected = FeedAll(whole, stream);
    // Every offset around the short lines, every 13th inside the long ones.
    for (size_t split = 0; split <= stream.size(); split += (split < 400 || stream.size() - split < 400) ? 1 : 13) {
        CTextProtocol first;
        FeedAll(first, std::string_view(stream).substr(0, split));
        CTextParseState saved;
        first.Save(saved);
        ASSERT_LE(saved.tokenSpan, split);
        CTextProtocol second;
        second.Restore(saved, std::string_view(stream).substr(split - saved.tokenSpan, saved.tokenLength));
        const std::vector<uint32_t> rest = FeedAll(second, std::string_view(stream).substr(split));
        ASSERT_TRUE(std::equal(rest.begin(), rest.end(), expected.begin() + long(split))) << "split " << split;
    }
}

TEST(CTextProtocol, RestoreWithAChangedTokenDropsTheLine)
{
    CTextProtocol protocol;
    FeedAll(protocol, "dn tel");
    CTextParseState saved;
    protocol.Save(saved);
    EXPECT_EQ(saved.tokenLength, 3u);
    CTextProtocol other;
    other.Restore(saved, "t"); // the file changed under the position
    EXPECT_EQ(other.State(), uint32_t(CTextProtocol::kSkipLine));
    const std::vector<uint32_t> results = FeedAll(other, "k\r1\n\n");
    EXPECT_EQ(results, (std::vector<uint32_t>{0, 0, 0, 1, 2}));
    saved.state = 99;
    other.Restore(saved, "tel");
    EXPECT_EQ(other.State(), uint32_t(CTextProtocol::kLineStart));
}

