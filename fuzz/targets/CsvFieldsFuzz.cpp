// CSV fields: reading ends, no field is longer than its bytes, and every field read, written
// back quoted, reads as itself.
#include "foundation/core/LStrStream.h"
#include "foundation/streams/CsvField.h"
#include "foundation/text/LMemInStream.h"
#include "fuzz/FuzzCheck.h"
#include "fuzz/FuzzTargets.h"

#include <string>
#include <vector>

namespace {

// All fields of the input, line ends passed over between them.
std::vector<std::string> ReadFields(const void* data, uint32_t size)
{
    std::vector<std::string> fields;
    LMemInStream source(data, size);
    LStrStream field;
    for (uint32_t guard = 0; guard <= size + 1; ++guard) {
        const uint32_t before = source.Remaining();
        field.Clear();
        ReadCsvField(source, field);
        fields.emplace_back(field.View());
        char c = 0;
        if (source.ReadByte(c) && c != '\r' && c != '\n')
            source.Unread();
        if (source.Remaining() == 0 || (source.Remaining() == before))
            break;
    }
    return fields;
}

std::string Quoted(const std::string& field)
{
    std::string out = "\"";
    for (char c : field)
        out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

} // namespace

int FuzzCsvFields(const uint8_t* data, size_t size)
{
    const std::vector<std::string> fields = ReadFields(data, static_cast<uint32_t>(size));
    size_t total = 0;
    for (const std::string& field : fields)
        total += field.size();
    FuzzCheck(total <= size, "fields hold no more than the input's bytes");
    for (const std::string& field : fields) {
        const std::string text = Quoted(field);
        const std::vector<std::string> back = ReadFields(text.data(), static_cast<uint32_t>(text.size()));
        FuzzCheck(!back.empty() && back.front() == field, "a quoted field reads as itself");
    }
    return 0;
}
