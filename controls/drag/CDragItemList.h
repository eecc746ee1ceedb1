#pragma once
#include "foundation/core/LHandleData.h"
#include "foundation/core/LStringRef.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace plat {
class Pasteboard;
}

// One typed block of data that a drag carries. The type is a type name, or, when the name is
// empty, a four-character code.
struct CDragItem {
    enum : uint32_t { kLocalOnly = 0x1 }; // may only be dropped inside this application

    LStringRef type;
    uint32_t code = 0;
    std::vector<uint8_t> data;
    uint32_t flags = 0;
};

// The data of one drag, in the order it was added; shared by reference count.
class CDragItemList : public LHandleData {
public:
    CDragItemList() = default;

    // Appends an item holding a copy of the bytes.
    void AddItem(const LStringRef& type, uint32_t code, const void* bytes, uint32_t size, uint32_t flags);
    size_t Count() const { return fItems.size(); }
    const CDragItem& At(size_t index) const { return *fItems[index]; }

    // Puts every item on the pasteboard under its type text (a later item of the same type
    // replaces an earlier one). True when every item may only be dropped inside this
    // application (true for an empty list).
    bool WriteToPasteboard(plat::Pasteboard& pasteboard) const;

private:
    std::vector<std::unique_ptr<CDragItem>> fItems;
};
