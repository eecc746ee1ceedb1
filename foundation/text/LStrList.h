#pragma once
#include "foundation/core/LHandleData.h"
#include "foundation/core/LRef.h"
#include "foundation/text/LResourceSource.h"
#include "foundation/core/LStringRef.h"

#include <cstdint>
#include <string_view>
#include <vector>

// Resource types that hold string lists.
inline constexpr uint32_t kStrListDialogTexts = 0x43535423; // 'CST#' texts of a dialog or window
inline constexpr uint32_t kStrListLayouts = 0x544C594F;     // 'TLYO' layout scripts
inline constexpr uint32_t kStrListMenu = 0x544D4E55;        // 'TMNU' a menu
inline constexpr uint32_t kStrListMenuBar = 0x544D4E42;     // 'TMNB' a menu bar

// A string-list resource read by index: a big-endian u16 item count, then the items, each a
// NUL-terminated UTF-8 text. A cursor remembers where the last lookup ended, so reading the items
// in increasing order costs one step each. A missing resource has no items; an index past the
// count, or past what the data really holds, gives the empty text. Lookups move the cursor, so
// one list is read by one thread at a time.
class LStrList {
public:
    // Loads the list from the given source, or from the application's resource chain when none.
    LStrList(const LResRef& ref, LResourceSource* source, uint32_t type);
    LStrList(const LStrList&) = delete;
    LStrList& operator=(const LStrList&) = delete;
    virtual ~LStrList() = default;

    // Fetches the resource of the list's type; false (and no items) when it is missing.
    virtual bool Load(LResourceSource& source, const LResRef& ref);

    // The text of item i, up to its NUL or the end of the data.
    LStringRef GetItem(uint32_t i);
    uint32_t Count() const { return fCount; }
    // How many of the counted items the data really holds: a damaged list may claim more.
    uint32_t HeldCount() const;
    uint32_t Type() const { return fType; }

private:
    std::string_view ItemAtCursor() const;

    uint32_t fCount = 0;
    uint32_t fCursorItem = 0;
    uint32_t fCursorOffset = 0;
    uint32_t fType;
    std::vector<uint8_t> fData;
};

// Shared handle to a string list; a null handle reads as a list without items.
class LStrListRef : public LRef {
public:
    LStrListRef() noexcept = default;

    // Loads a list into a new holder and stores it in the handle.
    static void Create(LStrListRef& slot, const LResRef& ref, LResourceSource* source, uint32_t type);
    // Item i of the list; the empty string for a null handle.
    static LStringRef GetItem(const LStrListRef& list, uint32_t i);
    // The item count; 0 for a null handle.
    static uint32_t Count(const LStrListRef& list);

    LStrList* List() const noexcept;
};
