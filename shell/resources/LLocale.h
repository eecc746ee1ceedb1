#pragma once
#include "platform/system/LocaleId.h"

#include <cstdint>
#include <optional>
#include <string>

// A locale, or none. Its language, script and country are missing when it is none or does
// not name them.
class LLocale {
public:
    LLocale() = default;
    explicit LLocale(plat::LocaleId id) : fId(std::move(id)) {}

    // The user's most preferred language; none when the user prefers none that can be read.
    static LLocale UserLocale();
    // 'JP  ' gives ja_JP, 'US  ' en_US; another region the last known locale of the country the
    // code names ('FR  ' gives fr_FR); none when no locale has that country.
    static LLocale ForRegion(uint32_t region);
    // How close the user's locale `a` is to `b`: 4 same language and script, 3 same language,
    // 1 different languages but `b` is English, else 0.
    static int MatchScore(const LLocale& a, const LLocale& b);
    // The resource region for a user: 'JP  ' when the locale matches ja_JP at least by
    // language, else 'US  '.
    static uint32_t ChooseRegion(const LLocale& user);

    bool IsNull() const { return !fId; }
    std::optional<std::string> Language() const;
    std::optional<std::string> Script() const;
    std::optional<std::string> Country() const;

private:
    std::optional<plat::LocaleId> fId;
};
