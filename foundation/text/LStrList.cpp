#include "foundation/text/LStrList.h"

#include <cstring>

namespace {

constexpr uint32_t kFirstItemOffset = 2; // after the big-endian item count

// The shared object that a string-list handle holds.
class StrListHolder final : public LHandleData {
public:
    StrListHolder(const LResRef& ref, LResourceSource* source, uint32_t type) : list(ref, source, type) {}
    LStrList list;
};

} // namespace

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

LStringRef LStrList::GetItem(uint32_t i)
{
    if (i >= fCount)
        return LStringRef();
    if (fCursorItem > i) {
        fCursorItem = 0;
        fCursorOffset = kFirstItemOffset;
    }
    while (fCursorItem < i) {
        if (fCursorOffset >= fData.size())
            return LStringRef(); // the count promises more items than the data holds
        fCursorOffset += static_cast<uint32_t>(ItemAtCursor().size()) + 1;
        ++fCursorItem;
    }
    return LStringRef(ItemAtCursor());
}

uint32_t LStrList::HeldCount() const
{
    uint32_t held = 0;
    for (size_t offset = kFirstItemOffset; held < fCount && offset < fData.size(); ++held) {
        const void* nul = std::memchr(fData.data() + offset, 0, fData.size() - offset);
        offset = nul ? size_t(static_cast<const uint8_t*>(nul) - fData.data()) + 1 : fData.size();
    }
    return held;
}

void LStrListRef::Create(LStrListRef& slot, const LResRef& ref, LResourceSource* source, uint32_t type)
{
    slot.Assign(new StrListHolder(ref, source, type));
}

LStrList* LStrListRef::List() const noexcept
{
    auto* holder = static_cast<StrListHolder*>(Get());
    return holder ? &holder->list : nullptr;
}

LStringRef LStrListRef::GetItem(const LStrListRef& list, uint32_t i)
{
    LStrList* strings = list.List();
    return strings ? strings->GetItem(i) : LStringRef();
}

uint32_t LStrListRef::Count(const LStrListRef& list)
{
    const LStrList* strings = list.List();
    return strings ? strings->Count() : 0;
}
