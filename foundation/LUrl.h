#pragma once
#include <cstdint>
#include <string>
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
    std::string ToString() const;
    // True when all six parts are empty.
    bool IsEmpty() const;
    // Resolves this URL in place against a base.
    void Resolve(const LUrl& base, BaseKind mode);

    // The relative path that leads from a base folder path to a target path; empty when equal.
    static std::string MakeRelative(std::string_view targetPath, std::string_view basePath);

    std::string scheme;
    std::string authority;
    std::string path;
    std::string params;
    std::string query;
    std::string fragment;

private:
    void RemoveDotSegments(std::string_view merged);
};

// A reference from base to target: "//" + the target's authority + its path when the
// authorities differ, else the target path made relative to the base path.
std::string MakeRelativeUrl(const char* target, const char* base);
