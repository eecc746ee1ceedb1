#include "platform/values/PlistParser.h"
#include "platform/TextEncoding.h"
#include "platform/values/Array.h"
#include "platform/values/Dict.h"
#include "platform/values/PlistText.h"
#include "platform/values/PropertyList.h"

#include <charconv>
#include <limits>

namespace plat {
namespace {

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && IsSpace(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsSpace(s.back()))
        s.remove_suffix(1);
    return s;
}

bool ParseInteger(std::string_view text, int64_t& value)
{
    text = Trim(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && !text.empty();
}

bool ParseReal(std::string_view text, double& value)
{
    text = Trim(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec == std::errc::result_out_of_range) {
        // A magnitude beyond the double range reads as infinity (or zero when tiny): the text
        // was well-formed, just extreme.
        return end == text.data() + text.size();
    }
    return ec == std::errc() && end == text.data() + text.size() && !text.empty();
}

void AppendCData(std::string& text, std::string_view data)
{
    for (char c : data) {
        if (c == '\0')
            text += PlistText::kReplacementCharacter;
        else
            text += c;
    }
}

} // namespace

Ref<Value> PlistParser::Fail(const char* why)
{
    if (fError.empty())
        fError = std::string(why) + " at byte " + std::to_string(fPos);
    return {};
}

Ref<Value> PlistParser::ParseDocument()
{
    if (!IsValidUtf8(fText))
        return Fail("text is not UTF-8");
    if (LookingAt("\xEF\xBB\xBF"))
        fPos += 3;
    Tag tag;
    if (!SkipMisc() || !ReadTag(tag) || tag.closing)
        return Fail("no root element");
    Ref<Value> value;
    if (tag.name == "plist") {
        if (tag.empty)
            return Fail("empty plist");
        Tag inner;
        if (!SkipMisc() || !ReadTag(inner) || inner.closing)
            return Fail("plist holds no value");
        value = ParseValue(inner, 0);
        if (!value || !SkipMisc() || !ExpectClose("plist"))
            return Fail("plist not closed");
    } else {
        value = ParseValue(tag, 0);
        if (!value)
            return {};
    }
    if (!SkipMisc() || !AtEnd())
        return Fail("text after the document");
    return value;
}

bool PlistParser::SkipMisc()
{
    for (;;) {
        while (!AtEnd() && IsSpace(fText[fPos]))
            fPos++;
        if (LookingAt("<!--")) {
            if (!SkipPast("-->"))
                return false;
        } else if (LookingAt("<?")) {
            if (!SkipPast("?>"))
                return false;
        } else if (LookingAt("<!DOCTYPE")) {
            if (!SkipDocType())
                return false;
        } else {
            return true;
        }
    }
}

bool PlistParser::SkipPast(std::string_view terminator)
{
    const size_t found = fText.find(terminator, fPos + 2);
    if (found == std::string_view::npos) {
        Fail("unterminated markup");
        return false;
    }
    fPos = found + terminator.size();
    return true;
}

bool PlistParser::SkipDocType()
{
    // Up to the '>' that is not inside an internal subset or a quoted literal.
    int brackets = 0;
    char quote = 0;
    for (fPos += 9; !AtEnd(); fPos++) {
        const char c = fText[fPos];
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '[') {
            brackets++;
        } else if (c == ']') {
            brackets--;
        } else if (c == '>' && brackets <= 0) {
            fPos++;
            return true;
        }
    }
    Fail("unterminated document type");
    return false;
}

bool PlistParser::ReadTag(Tag& tag)
{
    if (!LookingAt("<")) {
        Fail("element expected");
        return false;
    }
    fPos++;
    tag = Tag();
    if (LookingAt("/")) {
        tag.closing = true;
        fPos++;
    }
    const size_t nameStart = fPos;
    while (!AtEnd() && !IsSpace(fText[fPos]) && fText[fPos] != '>' && fText[fPos] != '/')
        fPos++;
    tag.name = std::string(fText.substr(nameStart, fPos - nameStart));
    // Attributes are passed over (quoted values may hold '>' or '/').
    char quote = 0;
    for (; !AtEnd(); fPos++) {
        const char c = fText[fPos];
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '/' && fPos + 1 < fText.size() && fText[fPos + 1] == '>') {
            tag.empty = true;
            fPos += 2;
            return !tag.name.empty();
        } else if (c == '>') {
            fPos++;
            return !tag.name.empty();
        }
    }
    Fail("unterminated tag");
    return false;
}

bool PlistParser::ExpectClose(std::string_view name)
{
    Tag tag;
    if (!ReadTag(tag) || !tag.closing || tag.name != name) {
        Fail("mismatched end tag");
        return false;
    }
    return true;
}

Ref<Value> PlistParser::ParseValue(const Tag& open, int depth)
{
    if (open.closing)
        return Fail("unexpected end tag");
    if (open.name == "dict" || open.name == "array") {
        if (depth >= PropertyList::kMaxDepth)
            return Fail("containers nest too deep");
        if (open.empty)
            return open.name == "dict" ? Ref<Value>(Dict::Make()) : Ref<Value>(Array::Make());
        return open.name == "dict" ? ParseDict(depth + 1) : ParseArray(depth + 1);
    }
    if (open.name == "true" || open.name == "false") {
        if (!open.empty && !ExpectClose(open.name))
            return {};
        return Bool::Make(open.name == "true");
    }
    return ParseLeaf(open);
}

Ref<Value> PlistParser::ParseDict(int depth)
{
    Ref<Dict> dict = Dict::Make();
    for (;;) {
        Tag tag;
        if (!SkipMisc() || !ReadTag(tag))
            return {};
        if (tag.closing) {
            if (tag.name != "dict")
                return Fail("mismatched end tag");
            return dict;
        }
        if (tag.name != "key")
            return Fail("key expected");
        std::string key;
        if (!tag.empty && !ReadText("key", key))
            return {};
        Tag valueTag;
        if (!SkipMisc() || !ReadTag(valueTag))
            return {};
        Ref<Value> value = ParseValue(valueTag, depth);
        if (!value)
            return {};
        dict->Set(key, std::move(value));
    }
}

Ref<Value> PlistParser::ParseArray(int depth)
{
    Ref<Array> array = Array::Make();
    for (;;) {
        Tag tag;
        if (!SkipMisc() || !ReadTag(tag))
            return {};
        if (tag.closing) {
            if (tag.name != "array")
                return Fail("mismatched end tag");
            return array;
        }
        Ref<Value> value = ParseValue(tag, depth);
        if (!value)
            return {};
        array->Append(std::move(value));
    }
}

Ref<Value> PlistParser::ParseLeaf(const Tag& open)
{
    std::string text;
    if (!open.empty && !ReadText(open.name, text))
        return {};
    if (open.name == "string")
        return String::Make(text);
    if (open.name == "integer") {
        int64_t value = 0;
        if (!ParseInteger(text, value))
            return Fail("bad integer");
        return Number::MakeInt(value);
    }
    if (open.name == "real") {
        double value = 0;
        if (!ParseReal(text, value))
            return Fail("bad real");
        return Number::MakeReal(value);
    }
    if (open.name == "data") {
        auto bytes = PlistText::Base64Decode(text);
        if (!bytes)
            return Fail("bad data");
        return Data::Make(bytes->data(), bytes->size());
    }
    if (open.name == "date") {
        auto seconds = PlistText::ParseDate(Trim(text));
        if (!seconds)
            return Fail("bad date");
        return Date::Make(*seconds);
    }
    return Fail("unknown element");
}

bool PlistParser::ReadText(std::string_view name, std::string& text)
{
    while (!AtEnd()) {
        const char c = fText[fPos];
        if (c == '&') {
            if (!ReadEntity(text))
                return false;
        } else if (c == '\r') {
            // Line ends read as LF, as in any XML text.
            text += '\n';
            fPos += LookingAt("\r\n") ? 2 : 1;
        } else if (c == '\0') {
            // What the writer puts in a NUL's place, so a raw one reads as a written one would.
            text += PlistText::kReplacementCharacter;
            fPos++;
        } else if (c != '<') {
            text += c;
            fPos++;
        } else if (LookingAt("<![CDATA[")) {
            const size_t end = fText.find("]]>", fPos + 9);
            if (end == std::string_view::npos)
                return Fail("unterminated CDATA"), false;
            AppendCData(text, fText.substr(fPos + 9, end - fPos - 9));
            fPos = end + 3;
        } else if (LookingAt("<!--")) {
            if (!SkipPast("-->"))
                return false;
        } else {
            return ExpectClose(name);
        }
    }
    Fail("unterminated text");
    return false;
}

bool PlistParser::ReadEntity(std::string& text)
{
    // Entity bodies are short; a missing ';' within a few dozen bytes is malformed.
    const size_t semicolon = fText.find(';', fPos + 1);
    if (semicolon == std::string_view::npos || semicolon - fPos > 32)
        return Fail("malformed entity"), false;
    // Files saved before NUL was written as U+FFFD hold NUL references: they read as U+FFFD.
    if (!PlistText::AppendEntity(text, fText.substr(fPos + 1, semicolon - fPos - 1),
                                 PlistText::NulReference::Replace))
        return Fail("bad entity"), false;
    fPos = semicolon + 1;
    return true;
}

} // namespace plat
