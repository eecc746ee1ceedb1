#include "foundation/persist/XmlText.h"
#include "foundation/LCharSource.h"
#include "foundation/LStrStream.h"
#include "foundation/TextTokens.h"

namespace {

// The code point of "#123" or "#x7B"; false when malformed or beyond 0x10FFFF (so no
// overflow can wrap a huge number into a valid one).
bool ParseNumericEntity(std::string_view body, uint32_t& codePoint)
{
    const bool hex = body.size() > 1 && (body[1] == 'x' || body[1] == 'X');
    const size_t start = hex ? 2 : 1;
    if (body.size() <= start)
        return false;
    uint32_t value = 0;
    for (size_t i = start; i < body.size(); ++i) {
        const int digit = hex ? HexDigitValue(body[i]) : (body[i] >= '0' && body[i] <= '9' ? body[i] - '0' : -1);
        if (digit < 0)
            return false;
        value = value * (hex ? 16 : 10) + uint32_t(digit);
        if (value > 0x10FFFF)
            return false;
    }
    codePoint = value;
    return true;
}

} // namespace

int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool EncodeUtf8(std::string& out, uint32_t cp)
{
    if (cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return false;
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
    return true;
}

bool EncodeUtf8(LStrStream& out, uint32_t codePoint)
{
    std::string bytes;
    if (!EncodeUtf8(bytes, codePoint))
        return false;
    out.Write(bytes);
    return true;
}

bool DecodeXmlEntity(std::string_view body, std::string& out)
{
    if (body == "quot") { out += '"'; return true; }
    if (body == "apos") { out += '\''; return true; }
    if (body == "amp") { out += '&'; return true; }
    if (body == "lt") { out += '<'; return true; }
    if (body == "gt") { out += '>'; return true; }
    uint32_t codePoint = 0;
    return !body.empty() && body[0] == '#' && ParseNumericEntity(body, codePoint) && EncodeUtf8(out, codePoint);
}

bool ReadQuotedToken(LCharSource& in, LStrStream& out, bool lineEndsAllowed)
{
    SkipBlanks(in);
    char quote;
    if (!in.ReadByte(quote))
        return false;
    if (quote != '"' && quote != '\'') {
        in.Unread();
        return ReadLineWord(in, out);
    }
    char c;
    while (in.ReadByte(c)) {
        if (c == quote) {
            char next;
            if (!in.ReadByte(next))
                break;
            if (next != quote) {
                in.Unread();
                break;
            }
        } else if ((c == '\r' || c == '\n') && !lineEndsAllowed) {
            in.Unread();
            break;
        }
        out.PutChar(c);
    }
    return true;
}
