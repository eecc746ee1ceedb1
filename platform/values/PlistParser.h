#pragma once
#include "platform/values/Value.h"

#include <string>
#include <string_view>

namespace plat {

// Recursive-descent reader of one property-list document held in memory. Every read is
// bounded by the text; containers nest at most PropertyList::kMaxDepth deep.
class PlistParser {
public:
    explicit PlistParser(std::string_view text) : fText(text) {}

    // The document's value, or null with Error() set.
    Ref<Value> ParseDocument();
    const std::string& Error() const { return fError; }

private:
    struct Tag {
        std::string name;
        bool closing = false;
        bool empty = false;  // "<name/>"
    };

    bool AtEnd() const { return fPos >= fText.size(); }
    bool LookingAt(std::string_view s) const { return fText.substr(fPos, s.size()) == s; }
    // Skips white space, comments, processing instructions and a document type.
    bool SkipMisc();
    bool SkipPast(std::string_view terminator);
    bool SkipDocType();
    bool ReadTag(Tag& tag);
    bool ExpectClose(std::string_view name);

    Ref<Value> ParseValue(const Tag& open, int depth);
    Ref<Value> ParseDict(int depth);
    Ref<Value> ParseArray(int depth);
    Ref<Value> ParseLeaf(const Tag& open);
    // Character data up to "</name>" (which is consumed), entities decoded, CDATA taken as is.
    bool ReadText(std::string_view name, std::string& text);
    bool ReadEntity(std::string& text);

    Ref<Value> Fail(const char* why);

    std::string_view fText;
    size_t fPos = 0;
    std::string fError;
};

} // namespace plat
