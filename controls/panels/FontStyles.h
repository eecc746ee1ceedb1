#pragma once
#include <string>
#include <vector>

// A style of a font family as the font panel offers it.
struct FontStyle {
    std::string name;   // as the font configuration names the face ("Bold Oblique")
    bool bold = false;
    bool italic = false;
};

// The styles of an installed family that the drawing layer shows: of its normal-width faces,
// the one nearest the regular and the one nearest the bold weight, upright and slanted, in the
// order regular, slanted, bold, bold slanted. Empty when the family is not installed.
std::vector<FontStyle> FamilyStyles(const std::string& family);
