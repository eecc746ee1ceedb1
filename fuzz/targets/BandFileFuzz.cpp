// Band files: every band kept is finite with low <= high, the list stays sorted and bounded.
#include "analysis/CBandList.h"
#include "analysis/LoadBandFile.h"
#include "foundation/text/LMemInStream.h"
#include "fuzz/FuzzCheck.h"
#include "fuzz/FuzzTargets.h"

#include <cmath>

int FuzzBandFile(const uint8_t* data, size_t size)
{
    CBandList list;
    LMemInStream source(data, static_cast<uint32_t>(size));
    ReadBandLines(list, source);
    FuzzCheck(list.Count() <= CBandList::kMaxBands, "at most kMaxBands bands");
    SBandRange previous{-INFINITY, -INFINITY};
    for (uint32_t i = 0; i < list.Count(); ++i) {
        SBandRange band{};
        FuzzCheck(list.Band(i, band), "every counted band exists");
        FuzzCheck(std::isfinite(band.low) && std::isfinite(band.high) && band.low <= band.high,
                  "bands are finite with low <= high");
        FuzzCheck(previous.low < band.low || (previous.low == band.low && previous.high <= band.high),
                  "bands stay sorted");
        previous = band;
    }
    return 0;
}
