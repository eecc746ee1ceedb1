#include "analysis/views/SNXCHSPEC.h"

SNXCHSPEC::SNXCHSPEC(LHandler* parent, LPane* host, const ChRowLayout& params)
    : CChannelPane(parent, host, params, "SNXCHSPEC", "spechdrw", &ChRowLayout::spechdrw, true), fScale(this, false),
      fSpectrum(this, true), fGridInfo(this, this)
{
}
