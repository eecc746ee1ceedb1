#include "controls/drag/CDragScrapAcs.h"
#include "foundation/text/FourCC.h"
#include "platform/window/Pasteboard.h"
#include "shell/windows/LDrop.h"

namespace {

// The four-character tags of the common uniform types.
struct TypeTag {
    const char* type;
    uint32_t tag;
};
constexpr TypeTag kTypeTags[] = {
    {"public.plain-text", 0x54455854},            // 'TEXT'
    {"public.utf8-plain-text", 0x75746638},       // 'utf8'
    {"public.utf16-plain-text", 0x75747874},      // 'utxt'
    {"public.file-url", 0x6675726C},              // 'furl'
    {"public.png", 0x504E4766},                   // 'PNGf'
    {"public.tiff", 0x54494646},                  // 'TIFF'
    {"com.microsoft.waveform-audio", 0x57415645}, // 'WAVE'
    {"public.aiff-audio", 0x41494646},            // 'AIFF'
};

bool HasTag(const std::string& type, uint32_t code)
{
    for (const TypeTag& entry : kTypeTags) {
        if (type == entry.type)
            return entry.tag == code;
    }
    return false;
}

} // namespace

std::optional<std::string> CDragScrapAcs::ConvertPasteboardType(const plat::Pasteboard* pasteboard,
                                                               const LScrapFlavor& type)
{
    if (!pasteboard)
        return std::nullopt;
    const std::string codeText(FourCCToString(type.code).View());
    for (const std::string& candidate : pasteboard->Types()) {
        if (!type.name.IsEmpty()) {
            if (candidate == type.name.View())
                return candidate;
        } else if (candidate == codeText || HasTag(candidate, type.code)) {
            return candidate;
        }
    }
    return std::nullopt;
}

plat::Pasteboard* CDragScrapAcs::Board() const
{
    return fDrop ? fDrop->Pasteboard().Pasteboard() : nullptr;
}

bool CDragScrapAcs::HasType(const LScrapFlavor& type) const
{
    return fDrop && ConvertPasteboardType(Board(), type).has_value();
}

bool CDragScrapAcs::DropHasType(const LDrop* drop, const LScrapFlavor& type)
{
    return CDragScrapAcs(drop).HasType(type);
}

bool CDragScrapAcs::GetData(const LScrapFlavor& type, uint32_t index, const uint8_t*& data, uint32_t& size)
{
    data = nullptr;
    size = 0;
    const std::string name(type.name.View());
    for (const Entry& entry : fCache) {
        if (entry.code == type.code && entry.name == name && entry.index == index) {
            data = entry.bytes.data();
            size = uint32_t(entry.bytes.size());
            return true;
        }
    }
    const plat::Pasteboard* board = Board();
    const std::optional<std::string> found = ConvertPasteboardType(board, type);
    if (!found)
        return false;
    // Several items holding the type form a list; one item holds plain data.
    std::vector<const plat::Pasteboard::Bytes*> elements;
    for (size_t i = 0; i < board->ItemCount(); ++i) {
        const auto& item = board->ItemAt(i);
        if (auto it = item.find(*found); it != item.end())
            elements.push_back(&it->second);
    }
    if (index >= elements.size() || (elements.size() == 1 && index > 0))
        return false;
    fCache.push_front(Entry{name, type.code, index, *elements[index]});
    data = fCache.front().bytes.data();
    size = uint32_t(fCache.front().bytes.size());
    return true;
}
