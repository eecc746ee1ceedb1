#pragma once
#include "foundation/core/LStringRef.h"
#include "foundation/text/LResourceSource.h"

#include <cstdint>

// Resource type of the display's shader texts.
inline constexpr uint32_t kTextResourceType = 0x54545854; // 'TTXT'

// A text read from a resource (shader sources of the display). A missing resource leaves the
// text empty.
class CTextResource {
public:
    // Loads the resource from the given source, or from the application's resource chain when none.
    CTextResource(const LResRef& ref, LResourceSource* source, uint32_t type);
    CTextResource(const CTextResource&) = delete;
    CTextResource& operator=(const CTextResource&) = delete;
    virtual ~CTextResource() = default;

    // Fetches the resource of the loader's type from the source; false when it has none.
    virtual bool Load(LResourceSource& source, const LResRef& ref);

    uint32_t Type() const { return fType; }

    LStringRef text;

private:
    uint32_t fType;
};
