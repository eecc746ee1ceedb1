#pragma once
#include "foundation/core/LStringRef.h"

#include <cstdint>
#include <string_view>

class LDrop;

// Reads the file names a drop carries, as file locations: file URLs of the pasteboard's
// items, a single URL, or the older list of paths.
class CDroppedFiles {
public:
    static constexpr const char* kTypeUrl = "public.url";
    static constexpr const char* kTypeFilenames = "NSFilenamesPboardType"; // property list of paths

    explicit CDroppedFiles(const LDrop* drop) : fDrop(drop) {}

    bool HasFiles() const;
    // The index-th dropped file as a file location; false when there is none.
    bool GetPath(uint32_t index, LStringRef& out) const;
    // The same, with symbolic links followed to what they lead to.
    bool GetFile(uint32_t index, LStringRef& out) const;
    // The file location of a "file:" URL; false for any other URL.
    static bool URLToPath(std::string_view url, LStringRef& out);

private:
    const LDrop* fDrop;
};
