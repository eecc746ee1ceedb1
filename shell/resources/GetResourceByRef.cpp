#include "shell/resources/GetResourceByRef.h"
#include "platform/resources/ResourceFile.h"

#include <cstring>
#include <string_view>

namespace {
constexpr size_t kMaxNameBytes = 255; // a resource name is a length byte and its text
}

bool GetResourceByRef(uint32_t type, const LResRef& ref, std::span<const uint8_t>& data)
{
    if (ref.name) {
        const std::string_view name(ref.name, strnlen(ref.name, kMaxNameBytes));
        return plat::FindNamedResource(type, name, data);
    }
    return plat::FindResourceById(type, ref.id, data);
}
