#pragma once
#include <string_view>

namespace plat {

class ActionResponder;

// The focused field editor of the key window as the performer of the standard editing actions
// ("cut:", "copy:", "paste:", "delete:", "selectAll:") sent without a target, through the
// general pasteboard's text; null when no text field of the key window edits or the action is
// not one of them. The first link of the application's responder chain.
ActionResponder* FieldEditorResponder(std::string_view action);

} // namespace plat
