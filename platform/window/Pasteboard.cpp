#include "platform/window/Pasteboard.h"

#include <algorithm>

namespace plat {

Pasteboard& Pasteboard::General()
{
    static Pasteboard board;
    return board;
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
    for (const Item& item : fItems)
        if (auto it = item.find(type); it != item.end())
            return it->second;
    return std::nullopt;
}

} // namespace plat
