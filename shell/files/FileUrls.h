#pragma once
#include "foundation/core/LStringRef.h"

#include <cstdint>
#include <string>
#include <string_view>

// file locations: "file:///" + volume name + percent-escaped path segments. Every
// function here that takes a file location also accepts a POSIX path.

// Result of the operations that produce a file location: status 0 success, 1 failure,
// 2 bad path or missing volume, 3 not found.
struct LFileUrlResult {
    uint32_t status = 0;
    LStringRef url;
};

// The file location of a POSIX path (relative ones against the current folder); empty for
// an empty path. Symbolic links are not resolved.
LStringRef UrlFromPosixPath(std::string_view path);

// The POSIX path of a file location; empty when it is not valid or its volume is missing.
LStringRef PosixPathFromUrl(std::string_view fileSpec);

// The name of the volume of the root file system.
LStringRef GetBootVolumeName();

// The folder of a mounted volume; false when no volume has that name.
bool VolumePathRef(std::string_view name, std::string* posixPath);

// The file location of the current folder.
LStringRef CurrentDirSpec();

// fileSpec + "/" + escaped name (the "/" is not doubled; an empty name adds nothing).
void AppendUrlName(LFileUrlResult& result, std::string_view fileSpec, std::string_view name);

// The folder holding an item; status 1 for a volume, which has none.
void GetParentUrl(LFileUrlResult& result, std::string_view fileSpec);

// Turns a typed path or a file location into a file location; relative paths count
// from the current folder. With createFolders, every missing folder between the volume and
// the last segment is made (the last segment itself is not). False for an empty text or one
// that names no file.
bool FileSpecFromUrl(std::string_view text, LStringRef& fileSpec, bool createFolders);
