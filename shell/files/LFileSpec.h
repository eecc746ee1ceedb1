#pragma once
#include "shell/files/LFileInfo.h"

// Result of resolving a link: status 0 done, 1 failure, 2 bad path, 3 the item or the link's
// target is missing.
struct LAliasResult {
    uint32_t status = 0;
    bool wasAlias = false;
    LStringRef url;
};

// An LFileInfo opened on a file location: on the item itself, or (enumerating) on the
// entries of a folder one after another.
class LFileSpec : public LFileInfo {
public:
    LFileSpec(std::string_view fileSpec, bool enumerate);

    // The file location of the current entry when enumerating (empty when none is left),
    // else the one the object was opened on.
    LStringRef GetUrl() const;
    // One step of the enumeration; status 3 when not enumerating.
    void Next();

    bool Enumerating() const { return fEnumerate; }

    // When the item is a symbolic link, the file location of what the chain of links leads
    // to; otherwise the given file location. This is the one place that follows links.
    static void ResolveAlias(LAliasResult& result, std::string_view fileSpec);

private:
    bool fEnumerate;
    LStringRef fSpec;
};
