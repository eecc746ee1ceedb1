#pragma once
#include "foundation/core/LStringRef.h"

#include <cstdint>
#include <string_view>

// A private scratch file (mode 0600, made exclusively) in the scratch folder or a given one,
// deleted with its object. The current milliseconds go into its name, and a number after
// them when that name is taken, so files of the same name from several windows or runs never
// collide. Users test `failed` and open the file through `location`.
class CScratchFile {
public:
    // `folder` is a file location, or null for the scratch folder.
    CScratchFile(std::string_view name, const LStringRef* folder);
    ~CScratchFile();
    CScratchFile(const CScratchFile&) = delete;
    CScratchFile& operator=(const CScratchFile&) = delete;

    uint32_t failed = 0;
    uint32_t created = 0;
    LStringRef location;
};
