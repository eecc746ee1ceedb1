#pragma once
#include <mutex>
#include <string>

namespace plat {

// The font files the drawing layer knows by family, and the FreeType faces loaded from them.
// Families come from the system's font configuration; the defaults are DejaVu Sans, DejaVu Sans
// Mono and DejaVu Serif, asked for by name, so text measures the same wherever DejaVu is
// installed. Slanted styles are synthesised.
namespace FontLibrary {

// Where the DejaVu files are looked for when the font configuration does not have them; the
// system's DejaVu folder unless changed.
std::string Folder();
// Looks for the DejaVu files in `folder` only, from now on (tests point it at a folder of
// their own).
void SetFolder(const std::string& folder);
// Back to the system's DejaVu folder.
void ResetFolder();

// The canonical family name ("DejaVu Sans") for a family or face name given in any letter case,
// with or without spaces ("dejavu sans", "DejaVuSans-Bold"), or any family the font
// configuration has, as it spells it; empty when the family is unknown. `bold` is set when
// the name itself asks for a bold face.
std::string CanonicalFamily(const std::string& name, bool* bold = nullptr);
// The file name of a family's regular or bold face ("DejaVuSans-Bold.ttf").
std::string FileName(const std::string& family, bool bold);

// The file of a family's regular or bold face: the font configuration's best face, or for the
// DejaVu families the file in Folder() when the configuration has none or a folder was
// chosen; empty when there is none. `isBold` tells whether the face found is a bold one.
std::string FacePath(const std::string& family, bool bold, bool* isBold = nullptr);

// A FreeType face of the file at `path`, loaded once and kept until exit; null with a message
// naming the file in `error` when it is missing or not a font.
void* Face(const std::string& path, std::string* error);

// Held around every use of a face: FreeType faces are not safe to share between threads.
std::recursive_mutex& Lock();

} // namespace FontLibrary

} // namespace plat
