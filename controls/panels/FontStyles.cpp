#include "controls/panels/FontStyles.h"
#include "platform/draw/FontQuery.h"

#include <cstdlib>

namespace {

// fontconfig's weights: regular 80, demibold 180, bold 200.
constexpr int kRegularWeight = 80, kBoldWeight = 200, kBoldFrom = 180;
constexpr int kNormalWidth = 100;

} // namespace

std::vector<FontStyle> FamilyStyles(const std::string& family)
{
    // One face per weight class and slant: the one nearest the class's weight.
    const plat::FontQuery::FaceFile* best[2][2] = {};
    const std::vector<plat::FontQuery::FaceFile> faces = plat::FontQuery::Faces(family);
    for (const plat::FontQuery::FaceFile& face : faces) {
        if (face.width != kNormalWidth)
            continue;
        const bool bold = face.weight >= kBoldFrom;
        const int wanted = bold ? kBoldWeight : kRegularWeight;
        const plat::FontQuery::FaceFile*& slot = best[bold][face.italic];
        if (!slot || std::abs(face.weight - wanted) < std::abs(slot->weight - wanted))
            slot = &face;
    }
    std::vector<FontStyle> styles;
    for (const bool bold : {false, true}) {
        for (const bool italic : {false, true}) {
            if (const plat::FontQuery::FaceFile* face = best[bold][italic])
                styles.push_back(FontStyle{face->style, bold, italic});
        }
    }
    return styles;
}
