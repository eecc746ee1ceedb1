#pragma once
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace plat {

// One resource: a four-character type code, an id, an optional name and its bytes.
struct ResourceEntry {
    uint32_t type = 0;
    int32_t id = 0;
    std::string name;
    std::vector<uint8_t> data;
};

enum class ResourceStatus { Ok, NotFound, Corrupt, Duplicate };

// Packs resources into the bytes of a resource file. Entries are sorted by type, then id;
// two entries of one type with the same id or the same non-empty name give Duplicate.
ResourceStatus PackResources(std::vector<ResourceEntry> entries, std::vector<uint8_t>& out);

// A packed resource file held in memory, validated once when it is opened so that no
// lookup can read past its end.
class ResourceFile {
public:
    static std::unique_ptr<ResourceFile> Open(const std::string& path, ResourceStatus* status);
    static std::unique_ptr<ResourceFile> FromBytes(std::vector<uint8_t> bytes, ResourceStatus* status);

    // The bytes of the resource, or an empty span with found = false when there is none.
    bool FindNamed(uint32_t type, std::string_view name, std::span<const uint8_t>& data) const;
    bool FindById(uint32_t type, int32_t id, std::span<const uint8_t>& data) const;
    size_t Count() const { return fIndex.size(); }

private:
    struct Item {
        uint32_t type;
        int32_t id;
        std::string_view name;
        std::span<const uint8_t> data;
    };
    explicit ResourceFile(std::vector<uint8_t> bytes) : fBytes(std::move(bytes)) {}
    ResourceStatus Parse();

    std::vector<uint8_t> fBytes;
    std::vector<Item> fIndex;
};

// The process's open resource files by reference number, and the current one. Reference
// number 0 names the system's resources, of which there are none here; lookups search only
// the current file.
int OpenResourceFile(const std::string& path, ResourceStatus* status);
void CloseResourceFile(int ref);
int CurrentResourceFile();
void UseResourceFile(int ref);
bool FindNamedResource(uint32_t type, std::string_view name, std::span<const uint8_t>& data);
bool FindResourceById(uint32_t type, int32_t id, std::span<const uint8_t>& data);

// Path of the resource file beside the running program ("Sonalyx.rsrc"), or the file named by
// SONALYX_RESOURCE_FILE when that is set.
std::string ProgramResourcePath();

} // namespace plat
