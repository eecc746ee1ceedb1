#include "ui/draw/LColorRecord.h"

#include <mutex>

namespace {

struct ColorRegistry {
    std::mutex lock;
    LList list;
};

ColorRegistry& Registry()
{
    static ColorRegistry registry;
    return registry;
}

} // namespace

LColorRecord::LColorRecord(const LColorRecord& other) noexcept
    : LHandleData(), SSLink(), red(other.red), green(other.green), blue(other.blue), index(other.index),
      colorId(other.colorId), alpha(other.alpha)
{
}

LColorRecord::~LColorRecord()
{
    ColorRegistry& registry = Registry();
    std::lock_guard<std::mutex> hold(registry.lock);
    if (IsLinked())
        registry.list.Remove(this);
}

bool LColorRecord::Equals(const LColorRecord& other) const noexcept
{
    if (colorId != -1 || other.colorId != -1)
        return colorId == other.colorId;
    return index == other.index && red == other.red && green == other.green && blue == other.blue &&
           alpha == other.alpha;
}

LColorRecord* LColorRecord::FindRegistered(const LColorRecord& record)
{
    ColorRegistry& registry = Registry();
    std::lock_guard<std::mutex> hold(registry.lock);
    for (SSLink* node : registry.list) {
        auto* found = static_cast<LColorRecord*>(node);
        if (found->Equals(record))
            return found;
    }
    return nullptr;
}

void LColorRecord::Register(LColorRecord* record)
{
    ColorRegistry& registry = Registry();
    std::lock_guard<std::mutex> hold(registry.lock);
    registry.list.PushFront(record);
}
