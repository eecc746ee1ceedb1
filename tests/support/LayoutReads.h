#pragma once
#include "foundation/text/LStrList.h"
#include "ui/frames/LFrame.h"
#include "ui/layout/LFormulaLayout.h"

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Runs the three texts of a layout over a frame and collects the names read before any
// assignment: a misspelt pane or variable shows up here.
inline std::vector<std::string> UndefinedReads(LFrame& frame, const char* name,
                                               std::initializer_list<std::pair<const char*, int32_t>> vars = {})
{
    LStrListRef texts;
    LStrListRef::Create(texts, {0, name}, nullptr, kStrListLayouts);
    std::vector<std::string> undefined;
    LFormulaLayout layout(nullptr, &frame);
    layout.SetUndefinedReadHook([&](std::string_view n) { undefined.emplace_back(n); });
    for (const auto& [var, value] : vars)
        layout.SetVariable(var, value);
    for (uint32_t i = 0; i < 3; ++i)
        layout.Run(LStrListRef::GetItem(texts, i).Get());
    return undefined;
}
