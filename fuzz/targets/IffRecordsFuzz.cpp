// Records as IFF chunks (drag data, copies): a record that reads is written, and the chunks
// read back into a record that writes the same bytes again.
#include "analysis/records/CSnxSchema.h"
#include "foundation/records/CParamSchema.h"
#include "foundation/persist/LObjFormReader.h"
#include "foundation/records/LClassDesc.h"
#include "foundation/records/LObject.h"
#include "fuzz/FuzzCheck.h"
#include "fuzz/FuzzTargets.h"
#include "fuzz/RecordText.h"

#include <string>

int FuzzIffRecords(const uint8_t* data, size_t size)
{
    // The record classes register themselves once their modules are linked in.
    static const bool linked = CSnxSchema::DocClass() && CSnxSchema::PrefsClass() && CParamSchema::TableClass();
    (void)linked;
    if (size > (1u << 20))
        return 0;
    LObjFormReader reader(data, static_cast<uint32_t>(size));
    LObjectPtr record = reader.ReadObject();
    if (!record)
        return 0;
    // The program names a container after the record it holds (a container of other codes,
    // or of none, still reads).
    const uint32_t creator = record->Class()->Creator();
    const uint32_t cls = record->Class()->Class();
    const std::string written = RecordChunks(creator, cls, record.get());
    LObjFormReader again(written.data(), static_cast<uint32_t>(written.size()));
    LObjectPtr back = again.ReadObject();
    FuzzCheck(back != nullptr, "written chunks read back");
    if (back)
        FuzzCheck(RecordChunks(creator, cls, back.get()) == written, "written chunks read back unchanged");
    return 0;
}
