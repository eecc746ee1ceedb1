#pragma once
#include "ui/panes/LPane.h"
#include "ui/panes/LPaneContext.h"

#include <algorithm>
#include <cstdint>

// The height of one row of a panel window: the least the panel was drawn for, or more when
// the field's font needs more for a line of text and its frame.
inline int32_t PanelLine(LPane& field, int32_t least)
{
    LPaneContext context = LPaneContext::FromPane(field);
    return std::max(least, field.PrefHeight(&context, 0));
}
