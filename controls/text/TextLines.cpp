#include "controls/text/TextLines.h"

namespace TextLines {
namespace {

std::string_view UpToNul(std::string_view text)
{
    const size_t nul = text.find('\0');
    return nul == std::string_view::npos ? text : text.substr(0, nul);
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool IsContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Length of the longest prefix of `run` (at least one whole character) whose width fits.
size_t FittingPrefix(std::string_view run, double width, const MeasureFn& measure)
{
    size_t fit = 0;
    size_t next = 0;
    while (next < run.size()) {
        size_t end = next + 1;
        while (end < run.size() && IsContinuationByte(run[end]))
            ++end;
        if (fit > 0 && measure(run.substr(0, end)) > width)
            break;
        fit = end;
        next = end;
    }
    return fit;
}

// Appends the wrapped lines of one hard line (no line ends inside) starting at `offset`.
void WrapOneLine(std::string_view line, size_t offset, double width, const MeasureFn& measure,
                 std::vector<Line>& out)
{
    size_t start = 0;
    while (true) {
        const std::string_view rest = line.substr(start);
        if (rest.empty() || measure(rest) <= width) {
            out.push_back({offset + start, rest.size()});
            return;
        }
        // The longest run ending at a word end (before blanks) that fits.
        size_t breakAt = 0;
        for (size_t i = 1; i < rest.size(); ++i) {
            if (IsBlank(rest[i]) && !IsBlank(rest[i - 1]) && measure(rest.substr(0, i)) <= width)
                breakAt = i;
            else if (IsBlank(rest[i]) && !IsBlank(rest[i - 1]))
                break;
        }
        if (breakAt == 0)
            breakAt = FittingPrefix(rest, width, measure);
        size_t next = breakAt;
        while (next < rest.size() && IsBlank(rest[next]))
            ++next;
        out.push_back({offset + start, next});
        start += next;
        if (start >= line.size())
            return;
    }
}

} // namespace

uint32_t CountLineEnds(std::string_view text)
{
    text = UpToNul(text);
    uint32_t count = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n')
            ++count;
        else if (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))
            ++count;
    }
    return count;
}

std::vector<Line> HardLines(std::string_view text)
{
    text = UpToNul(text);
    std::vector<Line> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        lines.push_back({start, i - start});
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    lines.push_back({start, text.size() - start});
    return lines;
}

std::vector<Line> WrapLines(std::string_view text, double width, const MeasureFn& measure)
{
    text = UpToNul(text);
    std::vector<Line> out;
    for (const Line& hard : HardLines(text))
        WrapOneLine(text.substr(hard.start, hard.length), hard.start, width, measure, out);
    return out;
}

} // namespace TextLines
