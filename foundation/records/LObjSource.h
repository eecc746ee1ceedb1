#pragma once
#include "foundation/records/LObject.h"

// A sequence of stored records read one by one (rows of a table copied to the clipboard).
// NOTE: the reader of records stored in IFF chunks serves through this interface.
class LObjSource {
public:
    virtual ~LObjSource() = default;
    // The next record, owned by the caller; null when there is none or it cannot be read.
    virtual LObjectPtr ReadObject() = 0;
};
