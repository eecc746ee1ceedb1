#include "foundation/persist/XmlText.h"
#include "foundation/text/LCharSource.h"
#include "foundation/core/LStrStream.h"
#include "foundation/text/NumberParse.h"
#include "foundation/text/TextTokens.h"
#include "platform/TextEncoding.h"
#include "platform/values/PlistText.h"

int HexDigitValue(char c)
{
    const int value = DigitValue(c);
    return value < 16 ? value : -1;
}

bool EncodeUtf8(std::string& out, uint32_t codePoint)
{
    return codePoint != 0 && plat::AppendUtf8(out, char32_t(codePoint));
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
    return plat::PlistText::AppendEntity(out, body);
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
