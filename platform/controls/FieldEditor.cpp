#include "platform/controls/FieldEditor.h"

#include <algorithm>

namespace plat {
namespace {

bool IsContinuation(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

} // namespace

void FieldEditor::SetText(std::string text)
{
    fText = std::move(text);
    fSelection = {fText.size(), 0};
    fAnchor = fText.size();
}

void FieldEditor::SetSelection(Range range)
{
    size_t start = std::min(range.start, fText.size());
    size_t end = start + std::min(range.length, fText.size() - start);
    while (start > 0 && start < fText.size() && IsContinuation(fText[start]))
        --start;
    while (end < fText.size() && IsContinuation(fText[end]))
        ++end;
    fSelection = {start, end - start};
    fAnchor = start;
}

size_t FieldEditor::PreviousBoundary(size_t offset) const
{
    if (offset == 0)
        return 0;
    --offset;
    while (offset > 0 && IsContinuation(fText[offset]))
        --offset;
    return offset;
}

size_t FieldEditor::NextBoundary(size_t offset) const
{
    if (offset >= fText.size())
        return fText.size();
    ++offset;
    while (offset < fText.size() && IsContinuation(fText[offset]))
        ++offset;
    return offset;
}

void FieldEditor::MoveCaret(size_t to, bool extend)
{
    if (!extend) {
        fSelection = {to, 0};
        fAnchor = to;
        return;
    }
    fSelection = {std::min(fAnchor, to), (std::max(fAnchor, to) - std::min(fAnchor, to))};
}

bool FieldEditor::Replace(Range range, std::string_view text)
{
    if (!fEditable)
        return false;
    if (range.length == 0 && text.empty())
        return false;
    const std::string replacement(text);
    if (fShouldChange && !fShouldChange(range, replacement))
        return false;
    fText.replace(range.start, range.length, replacement);
    MoveCaret(range.start + replacement.size(), false);
    if (fOnChange)
        fOnChange();
    return true;
}

bool FieldEditor::InsertText(std::string_view text)
{
    return Replace(fSelection, text);
}

void FieldEditor::DoCommand(Command command)
{
    if (fCommandHook && fCommandHook(command))
        return;
    PerformCommand(command);
}

void FieldEditor::PerformCommand(Command command)
{
    const size_t selStart = fSelection.start;
    const size_t selEnd = fSelection.start + fSelection.length;
    const bool caretAtEnd = fAnchor == selStart;
    const size_t moving = caretAtEnd ? selEnd : selStart;
    switch (command) {
    case Command::MoveLeft:
        MoveCaret(fSelection.length ? selStart : PreviousBoundary(selStart), false);
        break;
    case Command::MoveRight:
        MoveCaret(fSelection.length ? selEnd : NextBoundary(selEnd), false);
        break;
    case Command::MoveLeftExtend:
        MoveCaret(PreviousBoundary(moving), true);
        break;
    case Command::MoveRightExtend:
        MoveCaret(NextBoundary(moving), true);
        break;
    case Command::MoveUp:
    case Command::MoveToStart:
        MoveCaret(0, false);
        break;
    case Command::MoveDown:
    case Command::MoveToEnd:
        MoveCaret(fText.size(), false);
        break;
    case Command::MoveUpExtend:
        MoveCaret(0, true);
        break;
    case Command::MoveDownExtend:
        MoveCaret(fText.size(), true);
        break;
    case Command::DeleteBackward:
        if (fSelection.length)
            Replace(fSelection, {});
        else if (selStart > 0)
            Replace({PreviousBoundary(selStart), selStart - PreviousBoundary(selStart)}, {});
        break;
    case Command::DeleteForward:
        if (fSelection.length)
            Replace(fSelection, {});
        else if (selStart < fText.size())
            Replace({selStart, NextBoundary(selStart) - selStart}, {});
        break;
    case Command::InsertNewline:
        if (fMultiLine)
            InsertText("\n");
        break;
    case Command::InsertTab:
        if (fMultiLine)
            InsertText("\t");
        break;
    case Command::InsertBacktab:
    case Command::Cancel:
        break;
    case Command::SelectAll:
        SelectAll();
        break;
    }
}

std::string FieldEditor::Cut()
{
    std::string cut = SelectedText();
    if (fEditable)
        Delete();
    return cut;
}

void FieldEditor::Delete()
{
    if (fSelection.length)
        Replace(fSelection, {});
}

} // namespace plat
