#include "outputs/defs/CDefReader.h"
#include "outputs/defs/CDefTree.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Kind = CDefReader::Kind;

std::vector<std::string> Tokens(std::string_view text, uint32_t* error = nullptr)
{
    CDefReader reader(text);
    std::vector<std::string> out;
    for (Kind kind = reader.NextToken(); kind != Kind::End; kind = reader.NextToken()) {
        switch (kind) {
        case Kind::Text: out.push_back("T:" + reader.Text()); break;
        case Kind::Colon: out.push_back(":"); break;
        case Kind::Comma: out.push_back(","); break;
        case Kind::Semicolon: out.push_back(";"); break;
        case Kind::Open: out.push_back("{"); break;
        case Kind::Close: out.push_back("}"); break;
        case Kind::End: break;
        }
    }
    if (error)
        *error = reader.Error();
    return out;
}

} // namespace

TEST(CDefReader, WordsKeepInnerBlanksAndSkipTabsAndLineEnds)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(Tokens("Master  Volume   :x"), (V{"T:Master  Volume", ":", "T:x"}));
    EXPECT_EQ(Tokens("ab\tc\nd;e"), (V{"T:abcd", ";", "T:e"}));
    EXPECT_EQ(Tokens("\xEF\xBB\xBFk\xC3\xA9y:{},"), (V{"T:k\xC3\xA9y", ":", "{", "}", ","}));
    EXPECT_EQ(Tokens("\"a \\\"b\\\\\" \"\""), (V{"T:a \"b\\", "T:"}));
}

TEST(CDefReader, ErrorCodes)
{
    uint32_t error = 0;
    EXPECT_EQ(Tokens("ini: 0.5", &error), (std::vector<std::string>{"T:ini", ":", "T:0"}));
    EXPECT_EQ(error, CDefReader::kBadCharacter);
    Tokens("name: \"open", &error);
    EXPECT_EQ(error, CDefReader::kSyntaxError);
    Tokens("name: \"x\\", &error);
    EXPECT_EQ(error, CDefReader::kSyntaxError);
    EXPECT_TRUE(Tokens("   \n\t", &error).empty());
    EXPECT_EQ(error, CDefReader::kNoError);
    Tokens(std::string_view("a\0b", 3), &error);
    EXPECT_EQ(error, CDefReader::kBadCharacter);
}

TEST(CDefTree, BuildsNestedBlocksInFileOrder)
{
    CDefTree tree;
    ASSERT_EQ(tree.Parse("sonalyx: { controls: { id: a; ini: 1 }, { id: b; type: \"\" } }; other: x, y"), 0u);
    const CDefList* top = CDefNode::ChildList(tree.Root(), "sonalyx");
    ASSERT_NE(top, nullptr);
    const CDefNode* controls = CDefNode::FindChild(*top, "controls");
    ASSERT_NE(controls, nullptr);
    ASSERT_EQ(controls->blocks.size(), 2u);
    EXPECT_EQ(CDefNode::ChildValue(controls->blocks[0], "ini"), "1");
    EXPECT_EQ(CDefNode::ChildValue(controls->blocks[1], "id"), "b");
    ASSERT_NE(CDefNode::FindChild(controls->blocks[1], "type"), nullptr);
    EXPECT_EQ(CDefNode::ChildValue(controls->blocks[1], "missing"), "");
    const CDefNode* other = CDefNode::FindChild(tree.Root(), "other");
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(other->firstValue, "x");
    EXPECT_EQ(other->value, "y");
}

TEST(CDefTree, AlternativeValueMustSurviveTheApplicationEncoding)
{
    CDefTree tree;
    ASSERT_EQ(tree.Parse("a: \"Volume\", \"\xE9\x9F\xB3\xE9\x87\x8F\"; b: \"Cafe\", \"Caf\xC3\xA9\""), 0u);
    EXPECT_EQ(CDefNode::ChildValue(tree.Root(), "a"), "Volume");
    EXPECT_EQ(CDefNode::ChildValue(tree.Root(), "b"), "Caf\xC3\xA9");
}

TEST(CDefTree, SyntaxErrorsAndIgnoredTail)
{
    CDefTree tree;
    EXPECT_EQ(tree.Parse("key value"), CDefReader::kSyntaxError);
    EXPECT_EQ(tree.Parse("a: x,"), CDefReader::kSyntaxError);
    EXPECT_EQ(tree.Parse("a: { b: c"), CDefReader::kSyntaxError);
    EXPECT_EQ(tree.Parse("a: { b: c },"), CDefReader::kSyntaxError);
    EXPECT_EQ(tree.Parse("a: { b: 0.5 }"), CDefReader::kBadCharacter);
    EXPECT_TRUE(tree.Root().nodes.empty() || tree.Error() != 0);
    EXPECT_EQ(tree.Parse("a: b } trailing ! junk"), 0u);
    EXPECT_EQ(CDefNode::ChildValue(tree.Root(), "a"), "b");
    EXPECT_EQ(tree.Parse(""), 0u);
    EXPECT_TRUE(tree.Root().nodes.empty());
}

TEST(CDefTree, NestingDepthIsCapped)
{
    auto nested = [](uint32_t depth) {
        std::string text;
        for (uint32_t i = 0; i < depth; ++i)
            text += "k: {";
        text += "leaf: v";
        for (uint32_t i = 0; i < depth; ++i)
            text += "}";
        return text;
    };
    CDefTree tree;
    EXPECT_EQ(tree.Parse(nested(CDefTree::kMaxDepth)), 0u);
    EXPECT_EQ(tree.Parse(nested(CDefTree::kMaxDepth + 1)), CDefReader::kSyntaxError);
    EXPECT_EQ(tree.Parse(nested(100000)), CDefReader::kSyntaxError);
}
