#include "sources/CSourceType.h"

#include "foundation/core/StrEqual.h"

#include <array>

namespace {

constexpr uint32_t kRowCount = 5;

CSourceChanInfo Chan(const char* unit, float span, float centre, float min, float max, float offset,
                     float faderSpan)
{
    CSourceChanInfo info;
    info.unit = LStringRef(unit);
    info.span = span;
    info.centre = centre;
    info.min = min;
    info.max = max;
    info.faderOffset = offset;
    info.faderSpan = faderSpan;
    return info;
}

CSourceType Row(const char* name, uint32_t bits, float scale, const CSourceChanInfo& low,
                const CSourceChanInfo& high)
{
    CSourceType row;
    row.name = name;
    row.bits = bits;
    row.scale = scale;
    row.chan[0] = low;
    row.chan[1] = low;
    row.chan[2] = high;
    row.chan[3] = high;
    return row;
}

std::array<CSourceType, kRowCount> BuildTable()
{
    const CSourceChanInfo plain = Chan("", 1.0f, 0.5f, 0.0f, 1.0f, 0.5f, 1.0f);
    const CSourceChanInfo bipolar = Chan("", 1.0f, 0.0f, -1.0f, 1.0f, 0.5f, 2.0f);
    const CSourceChanInfo volts = Chan("V", 5.0f, 2.5f, 0.0f, 5.0f, 0.0f, 1.0f);
    const CSourceChanInfo quorvin = Chan("V", 0.0001f, 0.0f, -0.0001f, 0.0001f, 0.5f, 2.0f);
    const CSourceChanInfo telk = Chan("V", 0.00005f, 0.0f, -0.00005f, 0.00005f, 0.5f, 2.0f);
    return {
        Row("", 10, 1.0f, plain, plain),
        Row("generic_sound", 16, 100.0f, bipolar, bipolar),
        Row("Wiimote", 8, 1.0f, bipolar, bipolar),
        Row("Quorvin_H", 10, 1.0f, quorvin, volts),
        Row("telk", 8, 1.0f, telk, volts),
    };
}

// Built on first use (thread-safe) and never changed afterwards.
const std::array<CSourceType, kRowCount>& Table()
{
    static const std::array<CSourceType, kRowCount> table = BuildTable();
    return table;
}

} // namespace

const CSourceType* FindSourceType(const char* name)
{
    const auto& table = Table();
    for (const CSourceType& row : table) {
        if (StrEqual(row.name, name))
            return &row;
    }
    return &table[0];
}

uint32_t SourceTypeCount() { return kRowCount; }

const CSourceType* SourceTypeRow(uint32_t index)
{
    return index < kRowCount ? &Table()[index] : &Table()[0];
}
