#include "shell/draw/LFontData.h"
#include "platform/draw/Font.h"
#include "foundation/core/StrEqual.h"

#include <mutex>

namespace {

// The list of all live records, made on first use. Records unlink themselves when they go.
struct LFontRegistry {
    std::mutex lock;
    LList list;
};

LFontRegistry& Registry()
{
    static LFontRegistry registry;
    return registry;
}

} // namespace

LFontData::LFontData(const LFontData& other)
    : LHandleData(), SSLink(), kind(other.kind), size(other.size), scale(other.scale), weight(other.weight),
      slant(other.slant), name(other.name)
{
}

LFontData::~LFontData()
{
    {
        LFontRegistry& registry = Registry();
        std::lock_guard<std::mutex> hold(registry.lock);
        if (IsLinked())
            registry.list.Remove(this);
    }
    if (nsFont)
        nsFont->Release();
}

bool LFontData::Equals(const LFontData& other) const
{
    if (kind != other.kind || size != other.size || scale != other.scale || weight != other.weight ||
        slant != other.slant)
        return false;
    return kind != kNamedFont || StrEqual(name.Text(), other.name.Text());
}

void LFontData::Register(LFontData* record)
{
    LFontRegistry& registry = Registry();
    std::lock_guard<std::mutex> hold(registry.lock);
    registry.list.PushFront(record);
}

LFontData* LFontData::FindRegistered(const LFontData& templ)
{
    LFontRegistry& registry = Registry();
    std::lock_guard<std::mutex> hold(registry.lock);
    for (SSLink* node : registry.list) {
        auto* record = static_cast<LFontData*>(node);
        if (record->Equals(templ))
            return record;
    }
    return nullptr;
}

void LFontData::ResetAllNSFonts()
{
    LFontRegistry& registry = Registry();
    std::lock_guard<std::mutex> hold(registry.lock);
    for (SSLink* node : registry.list)
        static_cast<LFontData*>(node)->resolved = 0;
}
