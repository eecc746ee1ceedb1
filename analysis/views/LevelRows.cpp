#include "analysis/views/LevelRows.h"
#include "controls/headers/CRespText.h"
#include "controls/headers/CRowHeader.h"

#include <cmath>

namespace {

// PrefHeight hint that answers a text item's ascent.
constexpr int32_t kAscentHint = -10;

} // namespace

void PlaceLevelRows(CRowHeader& header, LPaneContext& context, bool thirds)
{
    CRespText* first = header.Item(0);
    if (!first)
        return;
    const int32_t a = first->PrefHeight(&context, kAscentHint);
    const int32_t t = first->PrefHeight(&context, 0);
    const int32_t h = int32_t(header.Rect().Height());
    header.SetRow(0, a, &context);
    if (thirds) {
        header.SetRow(1, int32_t(std::trunc(float(h) / 3.0f - float(t / 2) + float(a))), &context);
        header.SetRow(2, int32_t(std::trunc(2.0f * float(h) / 3.0f - float(t / 2) + float(a))), &context);
    } else {
        header.SetRow(1, (h - t) / 2 + a, &context);
        header.SetRow(2, h - t + a, &context);
    }
}

