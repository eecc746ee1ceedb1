#pragma once
#include "foundation/core/LStringRef.h"

#include <cstdint>

// The file type chosen in an open or save panel: a particular type and creator with a name,
// or any type.
struct CFileTypeChoice {
    uint32_t any = 1;
    LStringRef name;
    uint32_t fileType = 0;
    uint32_t creator = 0;

    void InitType(uint32_t type, uint32_t creatorCode, const LStringRef& typeName)
    {
        any = 0;
        fileType = type;
        creator = creatorCode;
        name = typeName;
    }
    void InitAny()
    {
        any = 1;
        name = LStringRef();
    }
};
