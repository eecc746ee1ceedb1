#pragma once
#include "foundation/core/LStringRef.h"

#include <cstdint>
#include <string_view>

// Creates files and folders named by file locations and keeps the result: 0 made (or an
// acceptable item already there), 1 failure, 2 bad path or missing volume or folder,
// 3 an item is in the way.
class LFileMaker {
public:
    enum : uint32_t {
        kAcceptExisting = 0,   // an existing item of the right kind is fine
        kFailIfExists = 1,
        kChooseNewName = 2,    // Notes.txt, then Notes2.txt, Notes3.txt ...
    };

    LFileMaker() = default;
    virtual ~LFileMaker() = default;

    // `permissions` are the access bits of a new file, less what the umask withholds.
    uint32_t MakeFile(std::string_view fileSpec, uint32_t mode, unsigned permissions = 0666);
    uint32_t MakeFolder(std::string_view fileSpec, uint32_t mode);

    uint32_t status = 0;
    // The file location of the item made (the numbered one in mode 2).
    LStringRef url;

private:
    uint32_t Make(std::string_view fileSpec, uint32_t mode, bool folder, unsigned permissions);
};
