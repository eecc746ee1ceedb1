#pragma once
#include "foundation/core/LStringRef.h"

#include <cstdint>
#include <string_view>

// A URL split into its six parts: scheme:// authority / path ; params ? query # fragment.
// Relative URLs resolve against a base with "." and ".." segments removed; escaped forms such
// as "%2E" are never dot segments, so a file named ".." survives as "%2E%2E".
class LUrl {
public:
    enum class BaseKind : uint8_t {
        File = 0,   // the base path's last segment names a file and is dropped before merging
        Folder = 1, // the whole base path is a folder
    };

    LUrl() = default;
    // Parses a text; null gives six empty parts.
    explicit LUrl(const char* text);

    void Parse(std::string_view text);
    // The text form; "//" and the authority are always written, so "file:///path" keeps its form.
    LStringRef ToString() const;
    // True when all six parts are empty.
    bool IsEmpty() const;
    // Resolves this URL in place against a base.
    void Resolve(const LUrl& base, BaseKind mode);

    // The relative path that leads from a base folder path to a target path; empty when equal.
    static LStringRef MakeRelative(const char* targetPath, const char* basePath);

    LStringRef scheme;
    LStringRef authority;
    LStringRef path;
    LStringRef params;
    LStringRef query;
    LStringRef fragment;

private:
    void MergePaths(const LUrl& base, BaseKind mode);
};

// A reference from base to target: "//" + the target's authority + its path when the
// authorities differ, else the target path made relative to the base path.
LStringRef MakeRelativeUrl(const char* target, const char* base);
