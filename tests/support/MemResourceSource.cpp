#include "tests/support/MemResourceSource.h"

void MemResourceSource::Add(uint32_t type, int32_t id, const std::string& name, std::vector<uint8_t> bytes)
{
    fEntries.push_back(Entry{type, id, name, std::move(bytes)});
}

void MemResourceSource::Add(uint32_t type, int32_t id, const std::string& name, const std::string& bytes)
{
    Add(type, id, name, std::vector<uint8_t>(bytes.begin(), bytes.end()));
}

bool MemResourceSource::Load(uint32_t type, const LResRef& ref, std::vector<uint8_t>& out)
{
    ++fLoads;
    out.clear();
    for (const Entry& entry : fEntries) {
        if (entry.type != type)
            continue;
        const bool match = ref.name ? entry.name == ref.name : entry.id == ref.id;
        if (match) {
            out = entry.bytes;
            return true;
        }
    }
    return false;
}
