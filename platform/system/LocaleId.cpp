#include "platform/system/LocaleId.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace plat {

namespace {

bool AllOf(std::string_view text, int (*test)(int))
{
    return std::all_of(text.begin(), text.end(), [test](char c) { return test(static_cast<unsigned char>(c)) != 0; });
}

std::string Cased(std::string_view text, bool upperFirst, bool upperRest)
{
    std::string out(text);
    for (size_t i = 0; i < out.size(); ++i) {
        const bool upper = i == 0 ? upperFirst : upperRest;
        const auto c = static_cast<unsigned char>(out[i]);
        out[i] = char(upper ? std::toupper(c) : std::tolower(c));
    }
    return out;
}

std::vector<std::string_view> SplitParts(std::string_view text)
{
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == '_' || text[i] == '-') {
            parts.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    return parts;
}

std::string ScriptOfModifier(std::string_view modifier)
{
    if (modifier == "latin")
        return "Latn";
    if (modifier == "cyrillic")
        return "Cyrl";
    return {};
}

bool IsCountry(std::string_view part)
{
    return (part.size() == 2 && AllOf(part, isalpha)) || (part.size() == 3 && AllOf(part, isdigit));
}

bool IsCLocale(std::string_view name)
{
    const std::string_view base = name.substr(0, name.find_first_of(".@"));
    return base == "C" || base == "POSIX";
}

std::string Env(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

// The locale that names the language of messages.
std::string MessagesLocale()
{
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"})
        if (const char* value = std::getenv(name); value && *value)
            return value;
    return std::string(1, 'C');
}

} // namespace

std::optional<LocaleId> LocaleId::Parse(std::string_view identifier)
{
    if (identifier.empty() || identifier.size() > 64)
        return std::nullopt;
    if (IsCLocale(identifier))
        return LocaleId{"en", {}, {}};
    std::string_view modifier;
    if (const size_t at = identifier.find('@'); at != std::string_view::npos) {
        modifier = identifier.substr(at + 1);
        identifier = identifier.substr(0, at);
    }
    identifier = identifier.substr(0, identifier.find('.'));

    const std::vector<std::string_view> parts = SplitParts(identifier);
    const std::string_view language = parts[0];
    if (language.size() < 2 || language.size() > 3 || !AllOf(language, isalpha))
        return std::nullopt;
    LocaleId id{Cased(language, false, false), ScriptOfModifier(modifier), {}};
    size_t next = 1;
    if (next < parts.size() && parts[next].size() == 4 && AllOf(parts[next], isalpha))
        id.script = Cased(parts[next++], true, false);
    if (next < parts.size() && IsCountry(parts[next]))
        id.country = Cased(parts[next++], true, true);
    if (next != parts.size())
        return std::nullopt;
    return id;
}

std::string LocaleId::Text() const
{
    std::string text = language;
    if (!script.empty())
        text += "_" + script;
    if (!country.empty())
        text += "_" + country;
    return text;
}

std::vector<LocaleId> PreferredLanguages()
{
    const std::string locale = MessagesLocale();

    std::vector<LocaleId> languages;
    const std::string list = Env("LANGUAGE");
    if (!IsCLocale(locale) && !list.empty()) {
        size_t start = 0;
        while (start <= list.size()) {
            const size_t colon = std::min(list.find(':', start), list.size());
            if (auto id = LocaleId::Parse(std::string_view(list).substr(start, colon - start)))
                languages.push_back(*id);
            start = colon + 1;
        }
    }
    if (languages.empty()) {
        if (auto id = LocaleId::Parse(locale))
            languages.push_back(*id);
    }
    return languages;
}

const std::vector<std::string>& AvailableLocaleIdentifiers()
{
    static const std::vector<std::string> identifiers = {
        "ar_EG", "ar_SA", "ca_ES", "cs_CZ", "da_DK", "de_AT", "de_CH", "de_DE", "el_GR", "en_AU", "en_CA",
        "en_GB", "en_IE", "en_IN", "en_NZ", "en_US", "es_AR", "es_ES", "es_MX", "fi_FI", "fr_BE", "fr_CA",
        "fr_CH", "fr_FR", "he_IL", "hi_IN", "hu_HU", "id_ID", "it_CH", "it_IT", "ja_JP", "ko_KR", "nb_NO",
        "nl_BE", "nl_NL", "pl_PL", "pt_BR", "pt_PT", "ro_RO", "ru_RU", "sk_SK", "sv_SE", "th_TH", "tr_TR",
        "uk_UA", "vi_VN", "zh_Hans_CN", "zh_Hant_HK", "zh_Hant_TW",
    };
    return identifiers;
}

} // namespace plat
