#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace plat {

// A named store of data in several types that programs exchange: the general one (copy and
// paste) and the drag one (the data travelling with a drag). It holds items, each a set of
// typed byte blocks; types are uniform type names ("public.utf8-plain-text", "public.file-url").
// Every clear counts one change. Main thread only.
class Pasteboard {
public:
    using Bytes = std::vector<uint8_t>;
    using Item = std::map<std::string, Bytes>;

    static constexpr const char* kTypeText = "public.utf8-plain-text";
    static constexpr const char* kTypeFileUrl = "public.file-url";
    static constexpr const char* kTypeData = "public.data";

    static Pasteboard& General();
    static Pasteboard& Drag();

    // Drops every item and counts a change.
    void Clear();
    // Stores data of one type in the first item (made when there is none).
    void SetData(const std::string& type, Bytes data);
    void SetText(const std::string& type, const std::string& text);
    // Appends an item (one drag may carry several files).
    void AddItem(Item item);

    // Every type of every item, in order of first appearance.
    std::vector<std::string> Types() const;
    // The first of the wanted types that some item holds; none when no item holds any.
    std::optional<std::string> AvailableType(const std::vector<std::string>& wanted) const;
    // The data of the first item that holds the type.
    std::optional<Bytes> Data(const std::string& type) const;
    size_t ItemCount() const { return fItems.size(); }
    const Item& ItemAt(size_t index) const { return fItems.at(index); }
    uint32_t ChangeCount() const { return fChangeCount; }

private:
    std::vector<Item> fItems;
    uint32_t fChangeCount = 0;
};

} // namespace plat
