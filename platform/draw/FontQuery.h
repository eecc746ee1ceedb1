#pragma once
#include <string>
#include <vector>

namespace plat::FontQuery {

// One face file of a family as the system's font configuration lists it.
struct FaceFile {
    std::string family;  // the family as the configuration spells it ("DejaVu Sans")
    std::string style;   // the style name ("Bold Oblique")
    std::string path;
    int weight = 80;     // fontconfig's weight scale: 80 regular, 200 bold
    int width = 100;     // 100 normal, below condensed
    bool italic = false; // italic or oblique
};

// Every scalable family the configuration offers, sorted by name, each once.
std::vector<std::string> Families();
// The faces of a family (matched ignoring letter case and blanks), regular widths first, then
// by weight and slant; empty when the family is not installed.
std::vector<FaceFile> Faces(const std::string& family);
// The face that best plays the regular or bold upright style of the family: normal width,
// the nearest weight, upright before slanted. False when the family has no face.
bool BestFace(const std::string& family, bool bold, FaceFile& out);
// Adds a folder of font files for this process only; false when it cannot be added.
bool AddFolder(const std::string& folder);

} // namespace plat::FontQuery
