#include "shell/windows/CScrapAcs_Cca.h"
#include "foundation/core/LByteBuffer.h"
#include "foundation/text/FourCC.h"
#include "platform/window/Pasteboard.h"

#include <cstring>
#include <limits>

std::string CScrapAcs_Cca::FlavorType(const LScrapFlavor& flavor)
{
    if (!flavor.name.IsEmpty())
        return std::string(flavor.name.View());
    return std::string(FourCCToString(flavor.code).View());
}

bool CScrapAcs_Cca::HasFlavor(const LScrapFlavor& flavor) const
{
    return fPasteboard && fPasteboard->AvailableType({FlavorType(flavor)});
}

bool CScrapAcs_Cca::GetFlavor(const LScrapFlavor& flavor, LByteBuffer& out) const
{
    if (!fPasteboard)
        return false;
    const auto data = fPasteboard->Data(FlavorType(flavor));
    if (!data || data->size() > std::numeric_limits<uint32_t>::max())
        return false;
    const auto size = static_cast<uint32_t>(data->size());
    if (!out.Resize(size, false))
        return false;
    if (size)
        std::memcpy(out.Data(), data->data(), size);
    return true;
}
