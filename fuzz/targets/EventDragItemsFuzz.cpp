// 'EVTX' drag items of the event-text window: at most kMaxRecords event records come out, and
// written back as a drag item they read as the same records.
#include "analysis/records/CSnxSchema.h"
#include "controls/drag/CDragRecordWriter.h"
#include "fuzz/FuzzCheck.h"
#include "fuzz/FuzzTargets.h"
#include "fuzz/RecordText.h"

#include <string>
#include <vector>

namespace {

// The codes of the event window's drag container.
constexpr uint32_t kContainerCode = 1;

std::vector<LObjectPtr> ReadItem(const uint8_t* data, size_t size)
{
    return CDragRecordReader::ReadAll(data, static_cast<uint32_t>(size), kContainerCode, kContainerCode,
                                      CSnxSchema::kCreator, CSnxSchema::kEventClass);
}

} // namespace

int FuzzEventDragItems(const uint8_t* data, size_t size)
{
    static const bool linked = CSnxSchema::EventClass() != nullptr;
    (void)linked;
    const std::vector<LObjectPtr> records = ReadItem(data, size);
    FuzzCheck(records.size() <= CDragRecordReader::kMaxRecords, "at most kMaxRecords records");
    if (records.empty())
        return 0;
    CDragRecordWriter writer(kContainerCode, kContainerCode);
    for (const LObjectPtr& record : records)
        writer.Write(record.get());
    const std::vector<uint8_t> item = writer.Finish();
    const std::vector<LObjectPtr> back = ReadItem(item.data(), item.size());
    FuzzCheck(back.size() == records.size(), "a written drag item reads back whole");
    for (size_t i = 0; i < back.size() && i < records.size(); ++i)
        FuzzCheck(RecordXml(back[i].get()) == RecordXml(records[i].get()), "its records read back unchanged");
    return 0;
}
