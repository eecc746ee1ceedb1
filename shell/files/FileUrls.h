#pragma once
#include "foundation/core/LStringRef.h"

#include <cstdint>
#include <string>
#include <string_view>

// File specifications: "file:///" + volume name + percent-escaped path segments. Every
// function here that takes a specification also accepts a POSIX path.

// Result of the operations that produce a specification: status 0 success, 1 failure,
// 2 bad path or missing volume, 3 not found.
struct LFileUrlResult {
    uint32_t status = 0;
    LStringRef url;
};

// The specification of a POSIX path (relative ones against the current folder); empty for
// an empty path. Symbolic links are not resolved.
LStringRef UrlFromPosixPath(std::string_view path);

// The POSIX path of a specification; empty when it is not valid or its volume is missing.
LStringRef PosixPathFromUrl(std::string_view spec);

// The name of the volume of the root file system.
LStringRef GetBootVolumeName();

// The folder of a mounted volume; false when no volume has that name.
bool VolumePathRef(std::string_view name, std::string* posixPath);

// The specification of the current folder.
LStringRef CurrentDirSpec();

// spec + "/" + escaped name (the "/" is not doubled; an empty name adds nothing).
void AppendUrlName(LFileUrlResult& result, std::string_view spec, std::string_view name);

// The folder holding an item; status 1 for a volume, which has none.
void GetParentUrl(LFileUrlResult& result, std::string_view spec);

// Turns a typed path or a file specification into a specification; relative paths count
// from the current folder. With createFolders, every missing folder between the volume and
// the last segment is made (the last segment itself is not). False for an empty text or one
// that names no file.
bool FileSpecFromUrl(std::string_view text, LStringRef& spec, bool createFolders);
