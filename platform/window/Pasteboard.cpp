#include "platform/window/Pasteboard.h"
#include "platform/window/WindowBackend.h"
#include "platform/window/WindowServer.h"

#include <algorithm>

namespace plat {

Pasteboard& Pasteboard::General()
{
    static Pasteboard board = [] {
        Pasteboard general;
        general.fMirrorsDesktop = true;
        return general;
    }();
    return board;
}

void Pasteboard::SyncFromDesktop() const
{
    WindowBackend& backend = WindowServer::Shared().Backend();
    if (!fMirrorsDesktop || !backend.HasDesktopClipboard() || backend.ClipboardChanges() == fDesktopChanges)
        return;
    fDesktopChanges = backend.ClipboardChanges();
    std::optional<std::string> text = backend.ClipboardText();
    if (text && text->size() > kMaxDesktopText)
        text.reset();
    const Item* first = fItems.empty() ? nullptr : &fItems.front();
    const auto held = first ? first->find(kTypeText) : Item::const_iterator();
    if (text && first && held != first->end() && held->second == Bytes(text->begin(), text->end()))
        return; // what we wrote ourselves, with its other types
    fItems.clear();
    if (text)
        fItems.push_back(Item{{kTypeText, Bytes(text->begin(), text->end())}});
    ++fChangeCount;
}

size_t Pasteboard::ItemCount() const
{
    SyncFromDesktop();
    return fItems.size();
}

const Pasteboard::Item& Pasteboard::ItemAt(size_t index) const
{
    SyncFromDesktop();
    return fItems.at(index);
}

uint32_t Pasteboard::ChangeCount() const
{
    SyncFromDesktop();
    return fChangeCount;
}

Pasteboard& Pasteboard::Drag()
{
    static Pasteboard board;
    return board;
}

void Pasteboard::Clear()
{
    fItems.clear();
    ++fChangeCount;
}

void Pasteboard::SetData(const std::string& type, Bytes data)
{
    if (fItems.empty())
        fItems.emplace_back();
    if (fMirrorsDesktop && type == kTypeText) {
        WindowBackend& backend = WindowServer::Shared().Backend();
        backend.SetClipboardText(std::string(data.begin(), data.end()));
        fDesktopChanges = backend.ClipboardChanges();
    }
    fItems.front()[type] = std::move(data);
}

void Pasteboard::SetText(const std::string& type, const std::string& text)
{
    SetData(type, Bytes(text.begin(), text.end()));
}

void Pasteboard::AddItem(Item item)
{
    fItems.push_back(std::move(item));
}

std::vector<std::string> Pasteboard::Types() const
{
    SyncFromDesktop();
    std::vector<std::string> types;
    for (const Item& item : fItems)
        for (const auto& entry : item)
            if (std::find(types.begin(), types.end(), entry.first) == types.end())
                types.push_back(entry.first);
    return types;
}

std::optional<std::string> Pasteboard::AvailableType(const std::vector<std::string>& wanted) const
{
    for (const std::string& type : wanted)
        if (Data(type))
            return type;
    return std::nullopt;
}

std::optional<Pasteboard::Bytes> Pasteboard::Data(const std::string& type) const
{
    SyncFromDesktop();
    for (const Item& item : fItems)
        if (auto it = item.find(type); it != item.end())
            return it->second;
    return std::nullopt;
}

} // namespace plat
