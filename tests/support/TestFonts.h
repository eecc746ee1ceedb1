#pragma once
#include <string>
#include <utility>

// Every occurrence of `from` in a font file's bytes, written as ASCII and as UTF-16 big-endian
// (the two forms of a font's name table), replaced by `to` of the same length: a copy of a
// DejaVu file becomes a family that exists only where a test puts it.
inline void RenameInFont(std::string& bytes, const std::string& from, const std::string& to)
{
    auto wide = [](const std::string& text) {
        std::string out;
        for (char c : text)
            out += std::string{'\0', c};
        return out;
    };
    for (const auto& [a, b] : {std::pair{from, to}, std::pair{wide(from), wide(to)}}) {
        for (size_t at = bytes.find(a); at != std::string::npos; at = bytes.find(a, at + b.size()))
            bytes.replace(at, a.size(), b);
    }
}
