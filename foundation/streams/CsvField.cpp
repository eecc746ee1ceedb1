#include "foundation/streams/CsvField.h"
#include "foundation/text/LCharSource.h"
#include "foundation/core/LStrStream.h"
#include "foundation/streams/LStream.h"

#include <cstring>

bool ReadCsvField(LCharSource& source, LStrStream& out)
{
    bool quoted = false;
    bool written = false;
    int previous = -1;
    char c = 0;
    while (source.ReadByte(c)) {
        if (c == '"') {
            if (previous == '"' && !quoted) {
                quoted = true;
                out.PutChar('"');
                written = true;
            } else {
                quoted = !quoted;
            }
            previous = c;
            continue;
        }
        if (!quoted) {
            if (c == ',')
                return true;
            if (c == '\n' || c == '\r') {
                source.Unread();
                return written;
            }
        }
        out.PutChar(c);
        written = true;
        previous = static_cast<unsigned char>(c);
    }
    return written;
}

uint32_t ReadSourceBytes(LCharSource& source, void* buffer, uint32_t n)
{
    auto* bytes = static_cast<char*>(buffer);
    uint32_t count = 0;
    while (count < n && source.ReadByte(bytes[count]))
        ++count;
    return count;
}

namespace {

bool IsCsvBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool IsCsvSpecial(char c)
{
    return c == '\r' || c == '\n' || c == '"' || c == ',';
}

bool NeedsQuotes(const char* text, size_t length)
{
    if (length > 0 && (IsCsvBlank(text[0]) || IsCsvBlank(text[length - 1])))
        return true;
    for (size_t i = 0; i < length; ++i)
        if (IsCsvSpecial(text[i]))
            return true;
    return false;
}

} // namespace

void WriteCsvField(const char* text, LStream& out, bool forceQuotes)
{
    if (!text) {
        if (forceQuotes)
            out.Write("\"\"", 2);
        return;
    }
    const size_t length = std::strlen(text);
    if (!forceQuotes && !NeedsQuotes(text, length)) {
        out.Write(text, length);
        return;
    }
    out.Write("\"", 1);
    size_t run = 0;   // start of the part not written yet
    for (size_t i = 0; i < length; ++i) {
        if (text[i] != '"')
            continue;
        out.Write(text + run, i + 1 - run);   // up to and with the quote, which is then doubled
        run = i;
    }
    out.Write(text + run, length - run);
    out.Write("\"", 1);
}
