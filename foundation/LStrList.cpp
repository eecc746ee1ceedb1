#include "foundation/LStrList.h"

#include <cstring>

namespace {
constexpr uint32_t kFirstItemOffset = 2; // after the big-endian item count
}

LStrList::LStrList(const LResRef& ref, LResourceSource* source, uint32_t type) : fType(type)
{
    if (!source)
        source = LResourceSource::Global();
    if (source)
        (void)Load(*source, ref);
}

bool LStrList::Load(LResourceSource& source, const LResRef& ref)
{
    fCount = 0;
    fCursorItem = 0;
    fCursorOffset = kFirstItemOffset;
    if (!source.Load(fType, ref, fData)) {
        fData.clear();
        return false;
    }
    if (fData.size() >= kFirstItemOffset)
        fCount = (uint32_t(fData[0]) << 8) | fData[1];
    return true;
}

std::string_view LStrList::ItemAtCursor() const
{
    if (fCursorOffset >= fData.size())
        return {};
    const auto* start = reinterpret_cast<const char*>(fData.data()) + fCursorOffset;
    const size_t left = fData.size() - fCursorOffset;
    const void* nul = std::memchr(start, 0, left);
    return std::string_view(start, nul ? static_cast<const char*>(nul) - start : left);
}

std::string LStrList::GetItem(uint32_t i)
{
    if (i >= fCount)
        return {};
    if (fCursorItem > i) {
        fCursorItem = 0;
        fCursorOffset = kFirstItemOffset;
    }
    while (fCursorItem < i) {
        if (fCursorOffset >= fData.size())
            return {}; // the count promises more items than the data holds
        fCursorOffset += static_cast<uint32_t>(ItemAtCursor().size()) + 1;
        ++fCursorItem;
    }
    return std::string(ItemAtCursor());
}
