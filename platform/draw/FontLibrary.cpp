#include "platform/draw/FontLibrary.h"
#include "platform/draw/FontQuery.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cctype>
#include <map>
#include <memory>
#include <vector>

namespace plat::FontLibrary {

namespace {

constexpr const char* kSystemFolder = "/usr/share/fonts/truetype/dejavu";
// Faces at least this heavy count as bold (fontconfig's demibold).
constexpr int kBoldWeight = 180;

struct Family {
    const char* name;
    const char* fileStem;
};

constexpr Family kFamilies[] = {
    {"DejaVu Sans", "DejaVuSans"},
    {"DejaVu Sans Mono", "DejaVuSansMono"},
    {"DejaVu Serif", "DejaVuSerif"},
};

struct Library {
    FT_Library ft = nullptr;
    std::map<std::string, FT_Face> faces;
    std::string folder = kSystemFolder;

    Library() { FT_Init_FreeType(&ft); }
};

Library& TheLibrary()
{
    // Never torn down: cairo's font caches may still point into the faces while the process
    // exits, so the faces stay loaded until the end.
    static Library& library = *new Library;
    return library;
}

// Lower case without blanks, hyphens or underscores: "DejaVu Sans-Bold" -> "dejavusansbold".
std::string Squeeze(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == ' ' || c == '-' || c == '_')
            continue;
        out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return out;
}

} // namespace

std::recursive_mutex& Lock()
{
    static std::recursive_mutex mutex;
    return mutex;
}

std::string Folder()
{
    std::lock_guard<std::recursive_mutex> hold(Lock());
    return TheLibrary().folder;
}

void SetFolder(const std::string& folder)
{
    std::lock_guard<std::recursive_mutex> hold(Lock());
    TheLibrary().folder = folder;
}

void ResetFolder() { SetFolder(kSystemFolder); }

std::string CanonicalFamily(const std::string& name, bool* bold)
{
    std::string key = Squeeze(name);
    bool wantsBold = false;
    for (const char* suffix : {"bold", "book", "roman", "regular"}) {
        std::string s(suffix);
        if (key.size() > s.size() && key.compare(key.size() - s.size(), s.size(), s) == 0) {
            wantsBold = s == "bold";
            key.erase(key.size() - s.size());
            break;
        }
    }
    for (const Family& family : kFamilies) {
        if (key == Squeeze(family.name)) {
            if (bold)
                *bold = wantsBold;
            return family.name;
        }
    }
    // Any other family the system's font configuration has, as it spells it.
    const std::vector<FontQuery::FaceFile> faces = FontQuery::Faces(name);
    if (faces.empty())
        return {};
    if (bold)
        *bold = false;
    return faces.front().family;
}

std::string FacePath(const std::string& family, bool bold, bool* isBold)
{
    const std::string builtIn = FileName(family, bold);
    const bool folderChosen = Folder() != kSystemFolder;
    FontQuery::FaceFile face;
    if ((builtIn.empty() || !folderChosen) && FontQuery::BestFace(family, bold, face)) {
        if (isBold)
            *isBold = face.weight >= kBoldWeight;
        return face.path;
    }
    if (builtIn.empty())
        return {};
    if (isBold)
        *isBold = bold;
    return Folder() + "/" + builtIn;
}

std::string FileName(const std::string& family, bool bold)
{
    for (const Family& f : kFamilies) {
        if (family == f.name)
            return std::string(f.fileStem) + (bold ? "-Bold.ttf" : ".ttf");
    }
    return {};
}

void* Face(const std::string& path, std::string* error)
{
    std::lock_guard<std::recursive_mutex> hold(Lock());
    Library& library = TheLibrary();
    auto found = library.faces.find(path);
    if (found != library.faces.end())
        return found->second;
    FT_Face face = nullptr;
    FT_Error code = library.ft ? FT_New_Face(library.ft, path.c_str(), 0, &face) : FT_Err_Invalid_Library_Handle;
    if (code != 0 || !face || !FT_IS_SCALABLE(face)) {
        if (face)
            FT_Done_Face(face);
        if (error) {
            *error = code == FT_Err_Cannot_Open_Resource
                         ? "font file missing: " + path + " (install the fonts-dejavu-core package)"
                         : "font file unreadable: " + path;
        }
        return nullptr;
    }
    library.faces.emplace(path, face);
    return face;
}

} // namespace plat::FontLibrary
