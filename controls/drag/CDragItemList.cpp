#include "controls/drag/CDragItemList.h"
#include "foundation/text/FourCC.h"
#include "platform/window/Pasteboard.h"

#include <string>

void CDragItemList::AddItem(const LStringRef& type, uint32_t code, const void* bytes, uint32_t size, uint32_t flags)
{
    auto item = std::make_unique<CDragItem>();
    item->type = type;
    item->code = code;
    if (bytes && size > 0) {
        const auto* first = static_cast<const uint8_t*>(bytes);
        item->data.assign(first, first + size);
    }
    item->flags = flags;
    fItems.push_back(std::move(item));
}

bool CDragItemList::WriteToPasteboard(plat::Pasteboard& pasteboard) const
{
    bool localOnly = true;
    for (const auto& item : fItems) {
        const LStringRef text = item->type.IsEmpty() ? FourCCToString(item->code) : item->type;
        pasteboard.SetData(std::string(text.View()), item->data);
        localOnly = localOnly && (item->flags & CDragItem::kLocalOnly);
    }
    return localOnly;
}
