#pragma once
#include "platform/values/Value.h"

#include <string>
#include <string_view>

namespace plat {

// XML property lists: the text form in which the preferences and other value trees are
// stored. The writer produces one document with a "plist" root holding the value; the reader
// accepts such documents (comments, a declaration and a document type are passed over).
class PropertyList {
public:
    // Containers nested deeper than this are refused by the reader.
    static constexpr int kMaxDepth = 256;

    // The XML text of a value tree.
    static std::string Write(const Value& value);
    // The value of a property-list text, or null when the text is malformed, nests too deep
    // or is not valid UTF-8; `error` (when given) then says why and where.
    [[nodiscard]] static Ref<Value> Read(std::string_view text, std::string* error = nullptr);
};

} // namespace plat
