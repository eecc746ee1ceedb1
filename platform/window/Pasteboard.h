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
// Every clear counts one change. The general pasteboard's text is the desktop clipboard's
// text both ways when the window backend carries a clipboard; what it read is kept until the
// clipboard changes. Main thread only.
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
    size_t ItemCount() const;
    const Item& ItemAt(size_t index) const;
    uint32_t ChangeCount() const;

    // The longest desktop clipboard text taken in; a longer one counts as no text.
    static constexpr size_t kMaxDesktopText = size_t(16) << 20;

private:
    // Takes the desktop clipboard's text when it changed since the last look.
    void SyncFromDesktop() const;

    mutable std::vector<Item> fItems;
    mutable uint32_t fChangeCount = 0;
    bool fMirrorsDesktop = false;
    mutable uint64_t fDesktopChanges = 0;
};

} // namespace plat
