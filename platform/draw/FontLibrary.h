#pragma once
#include <mutex>
#include <string>

namespace plat {

// The font files the drawing layer knows by family, and the FreeType faces loaded from them.
// Only the faces every machine has are used, so text measures the same everywhere: regular and
// bold of DejaVu Sans, DejaVu Sans Mono and DejaVu Serif; slanted styles are synthesised.
namespace FontLibrary {

// Where the font files are looked for; the system's DejaVu folder unless changed.
std::string Folder();
// Looks for font files in `folder` from now on (tests point it at a folder of their own).
void SetFolder(const std::string& folder);
// Back to the system's DejaVu folder.
void ResetFolder();

// The canonical family name ("DejaVu Sans") for a family or face name given in any letter case,
// with or without spaces ("dejavu sans", "DejaVuSans-Bold"); empty when the family is unknown.
// `bold` is set when the name itself asks for a bold face.
std::string CanonicalFamily(const std::string& name, bool* bold = nullptr);
// The file name of a family's regular or bold face ("DejaVuSans-Bold.ttf").
std::string FileName(const std::string& family, bool bold);

// A FreeType face of the file at `path`, loaded once and kept until exit; null with a message
// naming the file in `error` when it is missing or not a font.
void* Face(const std::string& path, std::string* error);

// Held around every use of a face: FreeType faces are not safe to share between threads.
std::recursive_mutex& Lock();

} // namespace FontLibrary

} // namespace plat
