#pragma once
#include "foundation/core/LStringRef.h"

#include <cstdint>

// File names inside path texts whose components are separated by ':' or '\\'. Every walk goes
// by whole UTF-8 characters. Positions point into the caller's text.

// The position of the next UTF-8 character (continuation bytes skipped); stays on the NUL;
// null gives null.
const char* UTF8Next(const char* text);

// The position after the run of separators that begins at the first separator, or the end of
// the text when it has none.
const char* SkipPathSeparator(const char* text);
// The start of the last component (after the last run of separators).
const char* LastPathComponent(const char* text);
// The position of the extension's '.' in the last component, or the end of the text when it has
// none. The extension starts at the last '.', unless a blank and another word follow it;
// blanks after the extension belong to it.
const char* FindExtension(const char* text);

// The extension without its '.', trailing blanks dropped, in ASCII lower case.
LStringRef FileExtensionLower(const char* name);
// The name up to its extension, then "." and the new extension unless that is empty.
LStringRef ReplaceExtension(const char* name, const char* extension);

// The decoded file name (last segment) of a URL path.
LStringRef FileNameOfPath(const LStringRef& path);
// Replaces the last segment of a URL path by a file name (escaped as a path segment).
void ReplaceFileName(LStringRef& path, const char* newName);
// Puts a number before the extension of the path's file name ("a.txt" and 2 give "a2.txt").
void NumberedFileName(LStringRef& path, int32_t number);
