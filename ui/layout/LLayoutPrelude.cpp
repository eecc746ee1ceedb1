#include "ui/layout/LLayoutPrelude.h"
#include "platform/ResourceFile.h"
#include "ui/layout/LFormula.h"

#include <memory>
#include <span>

namespace {

constexpr uint32_t kLayoutType = 0x544C594F; // 'TLYO'

// NOTE: reads the packed string list directly (big-endian u16 count, then NUL-terminated
// items) until the shared string-list reader serves the layout code.
std::string ItemOfList(std::span<const uint8_t> data, uint32_t item)
{
    if (data.size() < 2)
        return {};
    const uint32_t count = (uint32_t(data[0]) << 8) | data[1];
    if (item >= count)
        return {};
    size_t pos = 2;
    for (uint32_t i = 0; i < item && pos < data.size(); ++i) {
        while (pos < data.size() && data[pos] != 0)
            ++pos;
        ++pos; // the NUL
    }
    size_t end = pos;
    while (end < data.size() && data[end] != 0)
        ++end;
    if (pos >= end)
        return {};
    return std::string(reinterpret_cast<const char*>(data.data() + pos), end - pos);
}

std::unique_ptr<LFormula::Definitions>& Store()
{
    static std::unique_ptr<LFormula::Definitions> store;
    return store;
}

} // namespace

std::string LLayoutPrelude::Text(uint32_t item)
{
    std::span<const uint8_t> data;
    if (!plat::FindNamedResource(kLayoutType, "STDLAYOUT", data))
        return {};
    return ItemOfList(data, item);
}

void LLayoutPrelude::Install(LFormula& engine)
{
    std::unique_ptr<LFormula::Definitions>& store = Store();
    if (!store) {
        engine.Run(Text(kFormulaItem));
        store = std::make_unique<LFormula::Definitions>(engine.CopyDefinitions());
    }
    engine.LoadDefinitions(*store);
}
