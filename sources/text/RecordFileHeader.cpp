#include "sources/text/RecordFileHeader.h"

#include "foundation/core/LStrStream.h"
#include "foundation/text/NumberFormat.h"
#include "platform/files/DataFork.h"

#include <cstring>

void WriteRecordFileHeader(LStrStream& out, std::string_view typeName, float fcRatio, uint32_t rate)
{
    out << "dn " << typeName << '\r';
    out << "fr ";
    WriteDoubleTrim(out, 4, double(fcRatio));
    out << '\r' << "sr ";
    WriteLong(int64_t(rate), out);
    out << '\r';
}

std::string RecordFileProblem(const std::string& path)
{
    plat::DataFork file;
    plat::FileResult result = file.Open(path, plat::ForkAccess::Read);
    char head[4096];
    size_t count = sizeof head;
    if (result == plat::FileResult::Ok)
        result = file.ReadAt(0, head, count);
    if (result != plat::FileResult::Ok)
        return plat::FileResultText(result);
    if (count == 0)
        return "the file is empty";
    // A recording holds the device's bytes as they came, and a serial line may bring a stray zero
    // byte: a file that starts with the recorder's own header plays whatever follows it.
    const bool recorded = count >= 3 && std::memcmp(head, "dn ", 3) == 0;
    if (!recorded && std::memchr(head, 0, count))
        return "it is not a recording this program can play";
    return {};
}
