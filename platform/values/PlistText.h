#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plat {

// The text pieces of property-list files: escaped character data, base64 blocks and dates.
class PlistText {
public:
    // U+FFFD in UTF-8: what a NUL in a string is written as, and what a raw NUL reads as.
    static constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

    // Character data with "&", "<" and ">" escaped; control bytes other than tab and LF as
    // numeric references, so that a CR survives the reader's line-end handling; NUL as U+FFFD.
    static std::string Escape(std::string_view text);
    // Appends the UTF-8 bytes of one entity body (the text between "&" and ";"): "amp", "lt",
    // "gt", "quot", "apos", "#" and decimal digits, or "#x" and hexadecimal digits. False,
    // appending nothing, for an unknown name, a malformed or overflowing number, a surrogate
    // or a code point above U+10FFFF. A reference to NUL is refused too, or appends U+FFFD.
    enum class NulReference : uint8_t { Refuse, Replace };
    static bool AppendEntity(std::string& out, std::string_view body, NulReference nul = NulReference::Refuse);

    static std::string Base64Encode(const std::vector<uint8_t>& bytes);
    // White space is ignored; anything else outside the alphabet, or a bad length, fails.
    static std::optional<std::vector<uint8_t>> Base64Decode(std::string_view text);

    // "YYYY-MM-DDTHH:MM:SSZ" in UTC.
    static std::string FormatDate(int64_t unixSeconds);
    static std::optional<int64_t> ParseDate(std::string_view text);
};

} // namespace plat
