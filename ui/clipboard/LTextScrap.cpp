#include "ui/clipboard/LTextScrap.h"
#include "foundation/core/StrEqual.h"
#include "platform/window/Pasteboard.h"

const char* LTextScrap::kTypeName = "LTextScrap";

LTextScrap::LTextScrap()
{
    (void)Load();
}

bool LTextScrap::IsAvailable() const
{
    return plat::Pasteboard::General().AvailableType({plat::Pasteboard::kTypeText}).has_value();
}

// Reads the plain text another program (or this one) copied, so that every paste target sees
// it, not only native text editors.
bool LTextScrap::Load()
{
    const auto data = plat::Pasteboard::General().Data(plat::Pasteboard::kTypeText);
    if (!data || data->size() > kMaxLoadBytes)
        return false;
    fText = LStringRef(reinterpret_cast<const char*>(data->data()), static_cast<int64_t>(data->size()));
    return true;
}

void LTextScrap::Put() const
{
    if (fText.IsEmpty())
        return;
    plat::Pasteboard& board = plat::Pasteboard::General();
    board.Clear();
    board.SetText(plat::Pasteboard::kTypeText, std::string(fText.View()));
}

bool LTextScrap::CopyFrom(const LScrap& other)
{
    if (!StrEqual(other.GetTypeName(), kTypeName))
        return false;
    fText = static_cast<const LTextScrap&>(other).fText;
    return true;
}
