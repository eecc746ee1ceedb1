#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// The program's debug log: one process-wide text that diagnostics (shader compile and link
// logs among them) are written to while the debug switch is 1; otherwise writing does nothing.
// Safe from any thread.

// Appends the text line by line, each line followed by "\n", when the switch is 1.
void DebugLogWrite(std::string_view text);
// The debug switch: 0 at start.
void SetDebugLogSwitch(uint8_t value);
uint8_t DebugLogSwitch();
// A copy of what the log holds so far.
std::string DebugLogText();
// Empties the log.
void ClearDebugLog();
