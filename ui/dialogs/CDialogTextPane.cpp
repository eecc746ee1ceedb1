#include "ui/dialogs/CDialogTextPane.h"

#include <algorithm>

namespace {

// Lines end at a line feed, a carriage return, or the end of the text.
template <typename Visit>
void ForEachLine(std::string_view text, Visit visit)
{
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != '\n' && text[i] != '\r')
            continue;
        visit(static_cast<int32_t>(std::min<size_t>(i - start, 1u << 20)));
        if (i + 1 < text.size() && text[i] == '\r' && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
}

} // namespace

CDialogTextPane::CDialogTextPane(LHandler* parent, LPane* host, Kind kind) : LPane(parent, host), fKind(kind) {}

void CDialogTextPane::SetText(const LStringRef& text)
{
    if (LStringRef::Equals(text, fText))
        return;
    fText = text;
    Announce(msgPref, Parent());
}

int32_t CDialogTextPane::LongestLine() const
{
    int32_t longest = 0;
    ForEachLine(fText.View(), [&](int32_t chars) { longest = std::max(longest, chars); });
    return longest * kCharWidth;
}

int32_t CDialogTextPane::LinesAtWidth(int32_t width) const
{
    const int32_t perLine = width > 0 ? std::max(1, width / kCharWidth) : 0;
    int32_t lines = 0;
    ForEachLine(fText.View(), [&](int32_t chars) {
        lines += perLine > 0 ? std::max(1, (chars + perLine - 1) / perLine) : 1;
    });
    return lines;
}

int32_t CDialogTextPane::PrefWidth(LPaneContext*, int32_t hint)
{
    if (hint < 0)
        return kCharWidth;
    return LongestLine() + (fKind == Kind::Button ? kButtonPad : 0);
}

int32_t CDialogTextPane::PrefHeight(LPaneContext*, int32_t hint)
{
    if (fKind == Kind::Button)
        return kLineHeight + 4;
    if (fText.IsEmpty())
        return kLineHeight;
    return LinesAtWidth(hint > 0 ? hint : 0) * kLineHeight;
}
