#pragma once
#include "foundation/core/LRef.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// A pane's optional list of named shared objects that code attaches to a pane without a field
// of its own. The pane owns the list and empties it when it goes.
class CUIDict {
public:
    // Stores `value` under `key`, replacing what was there; a null value removes the entry.
    void Set(const char* key, const LRef& value);
    // The value under `key`, or a null handle.
    LRef Find(const char* key) const;
    uint32_t Count() const { return static_cast<uint32_t>(fEntries.size()); }
    void Clear() { fEntries.clear(); }

private:
    std::vector<std::pair<std::string, LRef>> fEntries;
};
