#include "shell/resources/LLocale.h"
#include "foundation/text/FourCC.h"
#include "foundation/text/LResourceSource.h"

namespace {

std::optional<std::string> Part(const std::optional<plat::LocaleId>& id, std::string plat::LocaleId::*part)
{
    if (!id || ((*id).*part).empty())
        return std::nullopt;
    return (*id).*part;
}

LLocale FromText(const char* text)
{
    auto id = plat::LocaleId::Parse(text);
    return id ? LLocale(*id) : LLocale();
}

} // namespace

LLocale LLocale::UserLocale()
{
    const std::vector<plat::LocaleId> languages = plat::PreferredLanguages();
    return languages.empty() ? LLocale() : LLocale(languages.front());
}

LLocale LLocale::ForRegion(uint32_t region)
{
    if (region == kRegionJP)
        return FromText("ja_JP");
    if (region == kRegionUS)
        return FromText("en_US");
    const LStringRef code = FourCCToString(region);
    const std::string_view country = code.View();
    LLocale found;
    for (const std::string& identifier : plat::AvailableLocaleIdentifiers()) {
        auto id = plat::LocaleId::Parse(identifier);
        if (id && id->country == country)
            found = LLocale(*id); // the last match wins
    }
    return found;
}

int LLocale::MatchScore(const LLocale& a, const LLocale& b)
{
    if (a.Language() == b.Language())
        return a.Script() == b.Script() ? 4 : 3;
    return !b.IsNull() && b.Language() == "en" ? 1 : 0;
}

uint32_t LLocale::ChooseRegion(const LLocale& user)
{
    return MatchScore(user, ForRegion(kRegionJP)) >= 2 ? kRegionJP : kRegionUS;
}

std::optional<std::string> LLocale::Language() const
{
    return Part(fId, &plat::LocaleId::language);
}

std::optional<std::string> LLocale::Script() const
{
    return Part(fId, &plat::LocaleId::script);
}

std::optional<std::string> LLocale::Country() const
{
    return Part(fId, &plat::LocaleId::country);
}
