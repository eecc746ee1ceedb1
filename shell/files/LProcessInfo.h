#pragma once
#include "foundation/core/LStringRef.h"

#include <cstdint>
#include <string>

// What the program knows of its own process: where its file and its folder are.
class LProcessInfo {
public:
    LProcessInfo();

    // The program's name as people read it ("Sonalyx"), not its file's name; "App" when the
    // program has none.
    static std::string ApplicationName();

    LStringRef applicationUrl;            // the program file; empty when unknown
    int32_t resourceFile = 0;             // the program's resource file, 0 until one is open
    int64_t resourceForkNode = -1;        // node of that file, -1 until known
    uint32_t creator = 0x3F3F3F3F;        // '????' until known
    LStringRef bundleUrl;                 // the folder holding the program file
};
