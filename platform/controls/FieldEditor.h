#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace plat {

// The text editor behind a text field while it is being edited: UTF-8 text, a selection, typing,
// deleting, caret movement and the edit commands. Ranges are byte offsets that always fall on
// character boundaries.
class FieldEditor {
public:
    struct Range {
        size_t start = 0;
        size_t length = 0;
        bool operator==(const Range&) const = default;
    };

    // Editing commands a key press stands for.
    enum class Command {
        MoveLeft, MoveRight, MoveUp, MoveDown, MoveLeftExtend, MoveRightExtend, MoveUpExtend,
        MoveDownExtend, MoveToStart, MoveToEnd, DeleteBackward, DeleteForward, InsertNewline,
        InsertTab, InsertBacktab, Cancel, SelectAll,
    };

    // Asked before text is replaced: the range and the proposed text; false rejects the change.
    using ShouldChangeFn = std::function<bool(Range range, const std::string& replacement)>;
    // Asked before a command is carried out; true means someone else handled it.
    using CommandFn = std::function<bool(Command command)>;
    using NotifyFn = std::function<void()>;

    const std::string& Text() const { return fText; }
    // Replaces the whole text without asking or notifying; the caret goes to the end.
    void SetText(std::string text);

    Range Selection() const { return fSelection; }
    // The range limited to the text and widened to whole characters.
    void SetSelection(Range range);
    void SelectAll() { SetSelection({0, fText.size()}); }
    std::string SelectedText() const { return fText.substr(fSelection.start, fSelection.length); }

    // Whether line feeds and tabs are text (multi-line) or end the editing (single line).
    bool IsMultiLine() const { return fMultiLine; }
    void SetMultiLine(bool multiLine) { fMultiLine = multiLine; }
    bool IsEditable() const { return fEditable; }
    void SetEditable(bool editable) { fEditable = editable; }

    void SetShouldChange(ShouldChangeFn fn) { fShouldChange = std::move(fn); }
    void SetCommandHook(CommandFn fn) { fCommandHook = std::move(fn); }
    // Called after every change of the text.
    void SetOnChange(NotifyFn fn) { fOnChange = std::move(fn); }

    // Replaces the selection by `text` as typing does (asking the change hook first); the caret
    // follows the inserted text. Answers whether the text changed.
    bool InsertText(std::string_view text);
    // Runs a command: the command hook first, then the editor's own handling.
    void DoCommand(Command command);
    // The editor's own handling of a command, without the hook.
    void PerformCommand(Command command);

    // Clipboard operations; Cut and Copy answer the selected text, Paste types the given text.
    std::string Cut();
    std::string Copy() const { return SelectedText(); }
    void Paste(std::string_view text) { InsertText(text); }
    void Delete();

private:
    size_t PreviousBoundary(size_t offset) const;
    size_t NextBoundary(size_t offset) const;
    size_t Caret() const { return fSelection.start + fSelection.length; }
    void MoveCaret(size_t to, bool extend);
    bool Replace(Range range, std::string_view text);

    std::string fText;
    Range fSelection;
    size_t fAnchor = 0;
    bool fMultiLine = false;
    bool fEditable = true;
    ShouldChangeFn fShouldChange;
    CommandFn fCommandHook;
    NotifyFn fOnChange;
};

} // namespace plat
