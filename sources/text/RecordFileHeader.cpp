#include "sources/text/RecordFileHeader.h"

#include "foundation/core/LStrStream.h"
#include "foundation/text/NumberFormat.h"

void WriteRecordFileHeader(LStrStream& out, std::string_view typeName, float fcRatio, uint32_t rate)
{
    out << "dn " << typeName << '\r';
    out << "fr ";
    WriteDoubleTrim(out, 4, double(fcRatio));
    out << '\r' << "sr ";
    WriteLong(int64_t(rate), out);
    out << '\r';
}
