#pragma once
#include "foundation/holders/CCFRef.h"
#include "foundation/persist/LKeyValueNode.h"

namespace plat {
class Dict;
}

// The key/value store over a dictionary of property values (the user's preferences). Its own
// node handle is the dictionary; the handles it gives out are sub-dictionaries, one reference
// each, given back through CloseNode. A store of mode kReadOnly ignores every write.
class CCFDictStore : public LKeyValueNode {
public:
    // Holds (retains) the dictionary, which may be null: the store is then empty.
    CCFDictStore(plat::Dict* dictionary, uint32_t mode);
    ~CCFDictStore() override;

    // The node operations of LKeyValueNode stay callable on the store itself.
    using LKeyValueNode::GetData;
    using LKeyValueNode::GetString;
    using LKeyValueNode::SetData;
    using LKeyValueNode::SetString;

    uint32_t GetMode() override { return fMode; }
    uint64_t OpenOrCreateChild(uint64_t handle, const char* key) override;
    uint64_t OpenChild(uint64_t handle, const char* key) override;
    void CloseNode(uint64_t handle) override;
    void Remove(uint64_t handle, const char* key) override;
    bool GetData(uint64_t handle, const char* key, void* buffer, uint32_t* size) override;
    bool GetString(uint64_t handle, const char* key, LStringRef* out) override;
    void SetData(uint64_t handle, const char* key, const void* bytes, uint32_t size) override;
    void SetString(uint64_t handle, const char* key, const char* text) override;

private:
    bool IsWritable() const { return fMode == kWritable; }

    CCFRef fDictionary;
    uint32_t fMode;
};
