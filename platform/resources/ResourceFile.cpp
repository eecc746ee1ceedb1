#include "platform/resources/ResourceFile.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <mutex>
#include <unistd.h>

namespace plat {

namespace {

// File layout, all numbers big-endian:
//   "SNXR", u32 version (1), u32 entry count, u32 reserved (0)
//   entries of 24 bytes: u32 type, i32 id, u32 name offset, u16 name length, u16 0,
//                        u32 data offset, u32 data length
//   then the names and data blocks the entries point to (offsets from the file's start).
constexpr uint8_t kMagic[4] = {'S', 'N', 'X', 'R'};
constexpr uint32_t kVersion = 1;
constexpr size_t kHeaderSize = 16;
constexpr size_t kEntrySize = 24;

void PutU32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(uint8_t(v >> shift));
}

void PutU16(std::vector<uint8_t>& out, uint16_t v)
{
    out.push_back(uint8_t(v >> 8));
    out.push_back(uint8_t(v));
}

uint32_t GetU32(const uint8_t* p) { return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3]; }
uint16_t GetU16(const uint8_t* p) { return uint16_t(p[0] << 8 | p[1]); }

bool HasDuplicates(const std::vector<ResourceEntry>& sorted)
{
    for (size_t i = 1; i < sorted.size(); ++i)
        if (sorted[i].type == sorted[i - 1].type && sorted[i].id == sorted[i - 1].id)
            return true;
    std::map<std::pair<uint32_t, std::string>, int> names;
    for (const auto& e : sorted)
        if (!e.name.empty() && ++names[{e.type, e.name}] > 1)
            return true;
    return false;
}

} // namespace

ResourceStatus PackResources(std::vector<ResourceEntry> entries, std::vector<uint8_t>& out)
{
    std::sort(entries.begin(), entries.end(), [](const ResourceEntry& a, const ResourceEntry& b) {
        return a.type != b.type ? a.type < b.type : a.id < b.id;
    });
    if (HasDuplicates(entries))
        return ResourceStatus::Duplicate;

    uint64_t offset = kHeaderSize + uint64_t(entries.size()) * kEntrySize;
    std::vector<uint8_t> table, blobs;
    for (const auto& e : entries) {
        if (e.name.size() > 0xFFFF)
            return ResourceStatus::Corrupt;
        const uint64_t nameOffset = offset + blobs.size();
        blobs.insert(blobs.end(), e.name.begin(), e.name.end());
        const uint64_t dataOffset = offset + blobs.size();
        blobs.insert(blobs.end(), e.data.begin(), e.data.end());
        if (offset + blobs.size() > 0xFFFFFFFFu)
            return ResourceStatus::Corrupt;
        PutU32(table, e.type);
        PutU32(table, uint32_t(e.id));
        PutU32(table, uint32_t(nameOffset));
        PutU16(table, uint16_t(e.name.size()));
        PutU16(table, 0);
        PutU32(table, uint32_t(dataOffset));
        PutU32(table, uint32_t(e.data.size()));
    }
    out.assign(std::begin(kMagic), std::end(kMagic));
    PutU32(out, kVersion);
    PutU32(out, uint32_t(entries.size()));
    PutU32(out, 0);
    out.insert(out.end(), table.begin(), table.end());
    out.insert(out.end(), blobs.begin(), blobs.end());
    return ResourceStatus::Ok;
}

std::unique_ptr<ResourceFile> ResourceFile::Open(const std::string& path, ResourceStatus* status)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        if (status)
            *status = ResourceStatus::NotFound;
        return nullptr;
    }
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        if (status)
            *status = ResourceStatus::Corrupt;
        return nullptr;
    }
    return FromBytes(std::move(bytes), status);
}

std::unique_ptr<ResourceFile> ResourceFile::FromBytes(std::vector<uint8_t> bytes, ResourceStatus* status)
{
    std::unique_ptr<ResourceFile> file(new ResourceFile(std::move(bytes)));
    const ResourceStatus result = file->Parse();
    if (status)
        *status = result;
    if (result != ResourceStatus::Ok)
        file.reset();
    return file;
}

ResourceStatus ResourceFile::Parse()
{
    const uint64_t size = fBytes.size();
    const uint8_t* base = fBytes.data();
    if (size < kHeaderSize || !std::equal(std::begin(kMagic), std::end(kMagic), base) || GetU32(base + 4) != kVersion)
        return ResourceStatus::Corrupt;
    const uint64_t count = GetU32(base + 8);
    if (kHeaderSize + count * kEntrySize > size)
        return ResourceStatus::Corrupt;
    fIndex.reserve(count);
    for (uint64_t i = 0; i < count; ++i) {
        const uint8_t* e = base + kHeaderSize + i * kEntrySize;
        const uint64_t nameOffset = GetU32(e + 8), nameLength = GetU16(e + 12);
        const uint64_t dataOffset = GetU32(e + 16), dataLength = GetU32(e + 20);
        if (nameOffset + nameLength > size || dataOffset + dataLength > size)
            return ResourceStatus::Corrupt;
        fIndex.push_back(Item{GetU32(e), int32_t(GetU32(e + 4)),
                              std::string_view(reinterpret_cast<const char*>(base + nameOffset), nameLength),
                              std::span<const uint8_t>(base + dataOffset, dataLength)});
    }
    return ResourceStatus::Ok;
}

bool ResourceFile::FindNamed(uint32_t type, std::string_view name, std::span<const uint8_t>& data) const
{
    for (const Item& item : fIndex) {
        if (item.type == type && item.name == name) {
            data = item.data;
            return true;
        }
    }
    data = {};
    return false;
}

bool ResourceFile::FindById(uint32_t type, int32_t id, std::span<const uint8_t>& data) const
{
    for (const Item& item : fIndex) {
        if (item.type == type && item.id == id) {
            data = item.data;
            return true;
        }
    }
    data = {};
    return false;
}

namespace {

struct OpenFiles {
    std::mutex lock;
    std::map<int, std::unique_ptr<ResourceFile>> files;
    int next = 1;
    int current = 0;
};

OpenFiles& Files()
{
    static OpenFiles files;
    return files;
}

template <typename Lookup>
bool FindInCurrent(std::span<const uint8_t>& data, Lookup lookup)
{
    OpenFiles& all = Files();
    std::lock_guard guard(all.lock);
    const auto it = all.files.find(all.current);
    if (it == all.files.end()) {
        data = {};
        return false;
    }
    return lookup(*it->second);
}

} // namespace

int OpenResourceFile(const std::string& path, ResourceStatus* status)
{
    std::unique_ptr<ResourceFile> file = ResourceFile::Open(path, status);
    if (!file)
        return -1;
    OpenFiles& all = Files();
    std::lock_guard guard(all.lock);
    const int ref = all.next++;
    all.files[ref] = std::move(file);
    all.current = ref;
    return ref;
}

void CloseResourceFile(int ref)
{
    OpenFiles& all = Files();
    std::lock_guard guard(all.lock);
    all.files.erase(ref);
    if (all.current == ref)
        all.current = 0;
}

int CurrentResourceFile()
{
    OpenFiles& all = Files();
    std::lock_guard guard(all.lock);
    return all.current;
}

void UseResourceFile(int ref)
{
    OpenFiles& all = Files();
    std::lock_guard guard(all.lock);
    if (ref == 0 || all.files.count(ref))
        all.current = ref;
}

bool FindNamedResource(uint32_t type, std::string_view name, std::span<const uint8_t>& data)
{
    return FindInCurrent(data, [&](const ResourceFile& f) { return f.FindNamed(type, name, data); });
}

bool FindResourceById(uint32_t type, int32_t id, std::span<const uint8_t>& data)
{
    return FindInCurrent(data, [&](const ResourceFile& f) { return f.FindById(type, id, data); });
}

std::string ProgramResourcePath()
{
    if (const char* env = std::getenv("SONALYX_RESOURCE_FILE"); env && *env)
        return env;
    std::string exe(4096, '\0');
    const ssize_t n = readlink("/proc/self/exe", exe.data(), exe.size() - 1);
    if (n <= 0)
        return "Sonalyx.rsrc";
    exe.resize(size_t(n));
    const size_t slash = exe.rfind('/');
    return (slash == std::string::npos ? std::string(".") : exe.substr(0, slash)) + "/Sonalyx.rsrc";
}

} // namespace plat
