#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plat {

// The parts of a locale identifier: language ("ja"), script ("Hant", may be empty) and
// country ("JP", may be empty).
struct LocaleId {
    std::string language;
    std::string script;
    std::string country;

    // Reads "ja_JP.UTF-8", "zh-Hant-TW", "sr_RS@latin", "en": the code set is dropped, the
    // modifiers "latin" and "cyrillic" give the script, "C" and "POSIX" read as English.
    // Nothing for an empty or malformed identifier.
    static std::optional<LocaleId> Parse(std::string_view identifier);
    // "language[_Script][_COUNTRY]".
    std::string Text() const;
    bool operator==(const LocaleId&) const = default;
};

// The user's preferred languages, most preferred first, from the environment as the C
// library's message catalogues read it: LC_ALL, else LC_MESSAGES, else LANG names the
// locale ("C" when none is set); LANGUAGE, a list separated by ':', takes precedence unless
// that locale is "C" or "POSIX". Entries that cannot be read are skipped, so the list may be empty.
std::vector<LocaleId> PreferredLanguages();

// Identifiers of the locales the program knows, in a fixed order.
const std::vector<std::string>& AvailableLocaleIdentifiers();

} // namespace plat
