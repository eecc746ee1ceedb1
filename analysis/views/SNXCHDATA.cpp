#include "analysis/views/SNXCHDATA.h"

SNXCHDATA::SNXCHDATA(LHandler* parent, LPane* host, const ChRowLayout& params)
    : CChannelPane(parent, host, params, "SNXCHDATA", "rawshdrw", &ChRowLayout::rawshdrw, false), fWave(this, false),
      fGridInfo(this, this)
{
}
