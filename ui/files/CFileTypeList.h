#pragma once
#include "foundation/core/LArray.h"
#include "foundation/core/LStringRef.h"

#include <cstdint>

class LStrList;

// The kinds of file an open or save panel accepts or writes, read from a 'CST#' string list
// whose items hold four lines each: creator code, type code, file-name extension ("*" for
// any file) and the label shown in the save panel's pop-up. Entries keep the items' order;
// an item with fewer lines is skipped.
class CFileTypeList : public LArray {
public:
    explicit CFileTypeList(LStrList& list);
    // Reads the 'CST#' list of that name from the application's resources.
    explicit CFileTypeList(const char* listName);
    ~CFileTypeList() override;
    CFileTypeList(const CFileTypeList&) = delete;
    CFileTypeList& operator=(const CFileTypeList&) = delete;

    // Appends an entry; nothing when the array cannot grow.
    void AddEntry(const LStringRef& extension, const LStringRef& label, uint32_t creator, uint32_t type);

    // The extension; empty out of range.
    LStringRef GetName(uint32_t index) const;
    // The label; empty out of range.
    LStringRef GetLabel(uint32_t index) const;
    // The creator code; '????' out of range.
    uint32_t GetCreator(uint32_t index) const;
    // The type code; 'TEXT' out of range.
    uint32_t GetType(uint32_t index) const;

private:
    struct Entry {
        LStringRef extension;
        LStringRef label;
        uint32_t creator;
        uint32_t type;
    };
    void ReadItems(LStrList& list);
    const Entry* EntryAt(uint32_t index) const;
};
