#include "platform/draw/FontQuery.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cstdlib>
#include <mutex>
#include <set>

namespace plat::FontQuery {

namespace {

constexpr int kRegularWeight = FC_WEIGHT_REGULAR;
constexpr int kBoldWeight = FC_WEIGHT_BOLD;
// A family name longer than this is refused as nonsense.
constexpr size_t kMaxNameLength = 256;

std::mutex& QueryLock()
{
    static std::mutex mutex;
    return mutex;
}

std::string StringOf(FcPattern* pattern, const char* object, int n = 0)
{
    FcChar8* value = nullptr;
    if (FcPatternGetString(pattern, object, n, &value) != FcResultMatch || !value)
        return {};
    return reinterpret_cast<const char*>(value);
}

int IntOf(FcPattern* pattern, const char* object, int fallback)
{
    int value = fallback;
    return FcPatternGetInteger(pattern, object, 0, &value) == FcResultMatch ? value : fallback;
}

// The list of scalable fonts that match the pattern, with the objects asked for.
template <typename Each>
void ListFonts(FcPattern* pattern, Each each)
{
    std::lock_guard<std::mutex> hold(QueryLock());
    if (!FcInit())
        return;
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, FC_STYLE, FC_FILE, FC_INDEX, FC_WEIGHT, FC_WIDTH, FC_SLANT,
                                            nullptr);
    FcFontSet* set = FcFontList(nullptr, pattern, objects);
    FcObjectSetDestroy(objects);
    if (!set)
        return;
    for (int i = 0; i < set->nfont; ++i)
        each(set->fonts[i]);
    FcFontSetDestroy(set);
}

bool FaceOrder(const FaceFile& a, const FaceFile& b)
{
    const bool aNormal = a.width == 100, bNormal = b.width == 100;
    if (aNormal != bNormal)
        return aNormal;
    if (a.weight != b.weight)
        return a.weight < b.weight;
    if (a.italic != b.italic)
        return !a.italic;
    return a.style < b.style;
}

} // namespace

std::vector<std::string> Families()
{
    std::set<std::string> names;
    FcPattern* pattern = FcPatternCreate();
    ListFonts(pattern, [&](FcPattern* font) {
        const std::string family = StringOf(font, FC_FAMILY);
        if (!family.empty() && family.size() <= kMaxNameLength)
            names.insert(family);
    });
    FcPatternDestroy(pattern);
    return {names.begin(), names.end()};
}

std::vector<FaceFile> Faces(const std::string& family)
{
    std::vector<FaceFile> faces;
    if (family.empty() || family.size() > kMaxNameLength)
        return faces;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    ListFonts(pattern, [&](FcPattern* font) {
        // Faces inside collections beyond the first are not loaded by the drawing layer.
        if (IntOf(font, FC_INDEX, 0) != 0)
            return;
        FaceFile face;
        face.family = StringOf(font, FC_FAMILY);
        face.style = StringOf(font, FC_STYLE);
        face.path = StringOf(font, FC_FILE);
        face.weight = IntOf(font, FC_WEIGHT, kRegularWeight);
        face.width = IntOf(font, FC_WIDTH, 100);
        face.italic = IntOf(font, FC_SLANT, FC_SLANT_ROMAN) != FC_SLANT_ROMAN;
        if (!face.path.empty())
            faces.push_back(face);
    });
    FcPatternDestroy(pattern);
    std::sort(faces.begin(), faces.end(), FaceOrder);
    return faces;
}

bool BestFace(const std::string& family, bool bold, FaceFile& out)
{
    const std::vector<FaceFile> faces = Faces(family);
    const int wanted = bold ? kBoldWeight : kRegularWeight;
    const FaceFile* best = nullptr;
    auto cost = [wanted](const FaceFile& face) {
        return (face.width == 100 ? 0 : 100000) + (face.italic ? 10000 : 0) + std::abs(face.weight - wanted);
    };
    for (const FaceFile& face : faces) {
        if (!best || cost(face) < cost(*best))
            best = &face;
    }
    if (!best)
        return false;
    out = *best;
    return true;
}

bool AddFolder(const std::string& folder)
{
    std::lock_guard<std::mutex> hold(QueryLock());
    if (!FcInit())
        return false;
    return FcConfigAppFontAddDir(nullptr, reinterpret_cast<const FcChar8*>(folder.c_str())) == FcTrue;
}

} // namespace plat::FontQuery
