#include "platform/values/PropertyList.h"
#include "platform/values/Array.h"
#include "platform/values/Dict.h"
#include "platform/values/PlistParser.h"
#include "platform/values/PlistText.h"

#include <charconv>
#include <cmath>

namespace plat {
namespace {

void AppendIndent(std::string& out, int depth)
{
    out.append(size_t(depth), '\t');
}

void AppendReal(std::string& out, double value)
{
    if (std::isnan(value)) {
        out += "nan";
        return;
    }
    if (std::isinf(value)) {
        out += value > 0 ? "inf" : "-inf";
        return;
    }
    char buffer[64];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, ec == std::errc() ? end : buffer);
}

void WriteValue(std::string& out, const Value& value, int depth);

void WriteLeaf(std::string& out, const char* tag, std::string_view body, int depth)
{
    AppendIndent(out, depth);
    out += '<';
    out += tag;
    out += '>';
    out += body;
    out += "</";
    out += tag;
    out += ">\n";
}

void WriteDict(std::string& out, const Dict& dict, int depth)
{
    AppendIndent(out, depth);
    if (dict.Count() == 0) {
        out += "<dict/>\n";
        return;
    }
    out += "<dict>\n";
    for (const auto& [key, value] : dict.Entries()) {
        WriteLeaf(out, "key", PlistText::Escape(key), depth + 1);
        WriteValue(out, *value, depth + 1);
    }
    AppendIndent(out, depth);
    out += "</dict>\n";
}

void WriteArray(std::string& out, const Array& array, int depth)
{
    AppendIndent(out, depth);
    if (array.Count() == 0) {
        out += "<array/>\n";
        return;
    }
    out += "<array>\n";
    for (size_t i = 0; i < array.Count(); ++i)
        WriteValue(out, *array.At(i), depth + 1);
    AppendIndent(out, depth);
    out += "</array>\n";
}

void WriteValue(std::string& out, const Value& value, int depth)
{
    switch (value.Kind()) {
    case ValueKind::Dict:
        WriteDict(out, *value.As<Dict>(), depth);
        break;
    case ValueKind::Array:
        WriteArray(out, *value.As<Array>(), depth);
        break;
    case ValueKind::String:
        WriteLeaf(out, "string", PlistText::Escape(value.As<String>()->Text()), depth);
        break;
    case ValueKind::Number: {
        const Number* n = value.As<Number>();
        std::string text;
        if (n->IsReal())
            AppendReal(text, n->Real());
        else
            text = std::to_string(n->Int());
        WriteLeaf(out, n->IsReal() ? "real" : "integer", text, depth);
        break;
    }
    case ValueKind::Bool:
        AppendIndent(out, depth);
        out += value.As<Bool>()->IsTrue() ? "<true/>\n" : "<false/>\n";
        break;
    case ValueKind::Data:
        WriteLeaf(out, "data", PlistText::Base64Encode(value.As<Data>()->Bytes()), depth);
        break;
    case ValueKind::Date:
        WriteLeaf(out, "date", PlistText::FormatDate(value.As<Date>()->UnixSeconds()), depth);
        break;
    }
}

} // namespace

std::string PropertyList::Write(const Value& value)
{
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n";
    WriteValue(out, value, 0);
    out += "</plist>\n";
    return out;
}

Ref<Value> PropertyList::Read(std::string_view text, std::string* error)
{
    PlistParser parser(text);
    Ref<Value> value = parser.ParseDocument();
    if (!value && error)
        *error = parser.Error();
    return value;
}

} // namespace plat
