#include "foundation/streams/CsvField.h"
#include "foundation/text/LCharSource.h"
#include "foundation/core/LStrStream.h"

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
