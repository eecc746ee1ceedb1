// Documents as XML records: whatever reads is written, and the written text reads back into
// a tree that writes the same text again.
#include "analysis/records/CFaderSetRecord.h"
#include "foundation/persist/CXmlRecordReader.h"
#include "foundation/streams/CMemStream.h"
#include "fuzz/FuzzCheck.h"
#include "fuzz/FuzzTargets.h"
#include "fuzz/RecordText.h"

#include <string>

namespace {

bool ReadInto(CFaderSetRecord& doc, const void* data, size_t size)
{
    CMemStream in(data, static_cast<uint32_t>(size));
    return ReadRecordXml(in, doc.Root());
}

} // namespace

int FuzzXmlRecords(const uint8_t* data, size_t size)
{
    if (size > (1u << 20))
        return 0;
    CFaderSetRecord doc;
    if (!doc.Root() || !ReadInto(doc, data, size))
        return 0;
    const std::string written = RecordXml(doc.Root());
    CFaderSetRecord back;
    FuzzCheck(ReadInto(back, written.data(), written.size()), "a written document reads back");
    FuzzCheck(RecordXml(back.Root()) == written, "a written document reads back unchanged");
    return 0;
}
