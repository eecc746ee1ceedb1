#include "outputs/defs/CDefTree.h"

#include "foundation/core/LByteBuffer.h"
#include "foundation/text/TextConverter.h"

#include <new>

namespace {

using Kind = CDefReader::Kind;

// True when the text comes back unchanged from the application's 8-bit encoding.
bool SurvivesNativeEncoding(const std::string& text)
{
    LByteBuffer native;
    LByteBuffer back;
    const auto length = static_cast<uint32_t>(text.size());
    if (!TextConverter::ToNative(text.data(), length, native))
        return false;
    if (!TextConverter::FromNative(native.Data(), static_cast<uint32_t>(native.Size()), back))
        return false;
    return std::string_view(reinterpret_cast<const char*>(back.Data()), back.Size()) == text;
}

} // namespace

void CDefTree::Clear()
{
    fRoot.nodes.clear();
    fError = 0;
}

uint32_t CDefTree::Parse(std::string_view text)
{
    Clear();
    CDefReader reader(text);
    try {
        reader.NextToken();
        if (!ParseEntries(reader, fRoot, 0) && fError == 0)
            fError = reader.Error() ? reader.Error() : CDefReader::kSyntaxError;
    } catch (const std::bad_alloc&) {
        fError = CDefReader::kOutOfMemory;
    }
    if (fError == 0)
        fError = reader.Error();
    return fError;
}

bool CDefTree::Fail(CDefReader& reader, uint32_t code)
{
    if (fError == 0)
        fError = reader.Error() ? reader.Error() : code;
    return false;
}

bool CDefTree::ParseEntries(CDefReader& reader, CDefList& list, uint32_t depth)
{
    if (!ParseEntry(reader, list, depth))
        return false;
    while (reader.Current() == Kind::Semicolon) {
        reader.NextToken();
        if (!ParseEntry(reader, list, depth))
            return false;
    }
    return reader.Error() == 0 || Fail(reader, reader.Error());
}

bool CDefTree::ParseEntry(CDefReader& reader, CDefList& list, uint32_t depth)
{
    if (reader.Current() != Kind::Text)
        return reader.Error() == 0 || Fail(reader, reader.Error());
    CDefNode& node = list.nodes.emplace_back();
    node.key = reader.Text();
    if (reader.NextToken() != Kind::Colon)
        return Fail(reader, CDefReader::kSyntaxError);
    if (reader.NextToken() == Kind::Text)
        return ParseValues(reader, node);
    return ParseBlocks(reader, node, depth);
}

bool CDefTree::ParseValues(CDefReader& reader, CDefNode& node)
{
    node.firstValue = reader.Text();
    node.value = reader.Text();
    while (reader.NextToken() == Kind::Comma) {
        if (reader.NextToken() != Kind::Text)
            return Fail(reader, CDefReader::kSyntaxError);
        if (SurvivesNativeEncoding(reader.Text()))
            node.value = reader.Text();
    }
    return reader.Error() == 0 || Fail(reader, reader.Error());
}

bool CDefTree::ParseBlocks(CDefReader& reader, CDefNode& node, uint32_t depth)
{
    if (reader.Current() != Kind::Open)
        return reader.Error() == 0 || Fail(reader, reader.Error());
    for (;;) {
        if (depth + 1 > kMaxDepth)
            return Fail(reader, CDefReader::kSyntaxError);
        reader.NextToken();
        CDefList& block = node.blocks.emplace_back();
        if (!ParseEntries(reader, block, depth + 1))
            return false;
        if (reader.Current() != Kind::Close)
            return Fail(reader, CDefReader::kSyntaxError);
        if (reader.NextToken() != Kind::Comma)
            return reader.Error() == 0 || Fail(reader, reader.Error());
        if (reader.NextToken() != Kind::Open)
            return Fail(reader, CDefReader::kSyntaxError);
    }
}
