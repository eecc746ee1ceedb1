#pragma once
#include "foundation/core/LStringRef.h"

#include <cstdint>
#include <string_view>

class LHandler;

// An item of the document window's texts ('CST#' "SNXWIN").
LStringRef WindowText(uint32_t item);
// Runs the open panel over the files of a type list ('CST#' name) from a start location;
// the file location chosen, or empty when the user cancelled.
LStringRef AskFileToOpen(const char* typeList, const LStringRef& startPath);
// Shows an item of the document window's texts in a message box, followed on its own line by
// `detail` when that is not empty, and waits for the user.
void ShowWindowMessage(LHandler* parent, uint32_t item, std::string_view detail = {});
