#include "analysis/gl/CTextResource.h"
#include "foundation/core/LStrStream.h"

#include <algorithm>
#include <vector>

namespace {

constexpr size_t kChunk = 256;

} // namespace

CTextResource::CTextResource(const LResRef& ref, LResourceSource* source, uint32_t type) : fType(type)
{
    if (!source)
        source = LResourceSource::Global();
    if (source)
        (void)Load(*source, ref);
}

bool CTextResource::Load(LResourceSource& source, const LResRef& ref)
{
    std::vector<uint8_t> bytes;
    if (!source.Load(fType, ref, bytes))
        return false;
    LStrStream stream;
    for (size_t at = 0; at < bytes.size(); at += kChunk)
        stream.Write(bytes.data() + at, static_cast<uint32_t>(std::min(kChunk, bytes.size() - at)));
    text = LStringRef(stream.View());
    return true;
}
