#pragma once
#include "foundation/text/LResourceSource.h"

#include <map>
#include <string>

// A resource source held in memory, for tests: resources are added by type with a name and an id.
class MemResourceSource final : public LResourceSource {
public:
    explicit MemResourceSource(uint32_t region = kRegionUS) : fRegion(region) {}

    void Add(uint32_t type, int32_t id, const std::string& name, std::vector<uint8_t> bytes);
    void Add(uint32_t type, int32_t id, const std::string& name, const std::string& bytes);

    bool Load(uint32_t type, const LResRef& ref, std::vector<uint8_t>& out) override;
    uint32_t GetRegion() const override { return fRegion; }

    // How many loads were asked for, found or not.
    int LoadCount() const { return fLoads; }

private:
    struct Entry {
        uint32_t type;
        int32_t id;
        std::string name;
        std::vector<uint8_t> bytes;
    };
    std::vector<Entry> fEntries;
    uint32_t fRegion;
    int fLoads = 0;
};

// Installs a source as the application's resource chain for the lifetime of the scope.
class ScopedGlobalResources {
public:
    explicit ScopedGlobalResources(LResourceSource* source) : fPrevious(LResourceSource::Global())
    {
        LResourceSource::SetGlobal(source);
    }
    ~ScopedGlobalResources() { LResourceSource::SetGlobal(fPrevious); }
    ScopedGlobalResources(const ScopedGlobalResources&) = delete;
    ScopedGlobalResources& operator=(const ScopedGlobalResources&) = delete;

private:
    LResourceSource* fPrevious;
};
