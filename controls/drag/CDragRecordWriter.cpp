#include "controls/drag/CDragRecordWriter.h"
#include "foundation/persist/LObjFormReader.h"
#include "foundation/records/LObject.h"

#include <cstring>

CDragRecordWriter::CDragRecordWriter(uint32_t creator, uint32_t cls)
    : fWriter(std::make_unique<LObjFormWriter>(creator, cls, fBuffer))
{
}

void CDragRecordWriter::Write(const LObject* record)
{
    if (fWriter)
        fWriter->WriteObject(record);
}

std::vector<uint8_t> CDragRecordWriter::Finish()
{
    if (!fWriter)
        return {};
    const bool failed = fWriter->Error() != 0;
    fWriter.reset();  // ends the container: the buffer holds exactly the bytes written
    if (failed)
        return {};
    return std::vector<uint8_t>(fBuffer.Data(), fBuffer.Data() + fBuffer.Size());
}

std::vector<LObjectPtr> CDragRecordReader::ReadAll(const uint8_t* data, uint32_t size, uint32_t creator,
                                                   uint32_t cls, uint32_t recordCreator, uint32_t recordClass)
{
    std::vector<LObjectPtr> records;
    if (!data || size == 0 || size > kMaxBytes)
        return records;
    LObjFormReader reader(data, size);
    if (reader.Creator() != creator || reader.Class() != cls)
        return records;
    for (uint32_t n = 0; n < kMaxRecords; ++n) {
        LObjectPtr record = reader.ReadObject();
        if (!record)
            break;
        if (record->Is(recordCreator, recordClass))
            records.push_back(std::move(record));
    }
    return records;
}
